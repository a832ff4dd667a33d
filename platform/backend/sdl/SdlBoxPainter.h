// Drawing a message box on a window surface in the program's dialog style (grey face, raised
// edges, a caption bar, 3D push buttons), with text from SDL_ttf in the dialog font's face at
// the window's scale, unsmoothed like the program's own text.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>
#include <string>

#include "platform/backend/sdl/MessageBoxLayout.h"
#include "platform/backend/sdl/SdlMessageBox.h"

namespace zorva::platform {

class SdlBoxFont {
 public:
  // The dialog face at `factor` times its size; null (SDL_GetError says why) when it cannot be had.
  static std::unique_ptr<SdlBoxFont> open(double factor);
  ~SdlBoxFont();
  SdlBoxFont(const SdlBoxFont&) = delete;
  SdlBoxFont& operator=(const SdlBoxFont&) = delete;

  int lineHeight() const;
  int width(const std::string& text) const;
  // Draws text (the program's 8-bit characters) with its top-left corner at (x, y).
  void draw(SDL_Surface* target, int x, int y, const std::string& text, SDL_Color colour) const;

 private:
  explicit SdlBoxFont(TTF_Font* font) : font_(font) {}
  TTF_Font* font_;
};

// What changes while a box is open: which button has the focus and which is held down.
struct MessageBoxState {
  int focused = 0;
  int pressed = -1;
};

// Draws the whole box with its top-left corner at (left, top) of `target`.
void paintMessageBox(SDL_Surface* target, int left, int top, const MessageBoxLayout& layout,
                     const MessageBoxPlan& plan, const std::string& caption, const SdlBoxFont& font,
                     const MessageBoxState& state);

}  // namespace zorva::platform
