// The program's entry: the framework runs the one application object.
#include <afxwin.h>

int main() { return AfxWinMain(); }
