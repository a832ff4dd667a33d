#include "app/AboutDialog.h"

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
END_MESSAGE_MAP()

CAboutDialog::CAboutDialog() : CDialog(IDD) {}

CAboutDialog::~CAboutDialog() {}

void CAboutDialog::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }
