// The start-up anchor: the least an SDL2 program does to show a 1024 x 716 window of one
// colour, with the hints Zorva's desktop sets. Runs until it is killed.
#include <SDL.h>

#include "bench/BenchBook.h"

int main(int, char**) {
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) return 1;
  SDL_Window* window = SDL_CreateWindow("anchor", 0, 0, 1024, 716, 0);
  if (window == nullptr) return 1;
  SDL_Surface* surface = SDL_GetWindowSurface(window);
  SDL_FillRect(surface, nullptr,
               SDL_MapRGB(surface->format, zorva::bench::kTitleRed, zorva::bench::kTitleGreen,
                          zorva::bench::kTitleBlue));
  SDL_UpdateWindowSurface(window);
  for (SDL_Event e; SDL_WaitEvent(&e);) {
  }
  return 0;
}
