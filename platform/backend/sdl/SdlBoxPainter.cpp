#include "platform/backend/sdl/SdlBoxPainter.h"

#include <cmath>

#include "platform/backend/FontMatch.h"

namespace zorva::platform {
namespace {

// The dialog font: the face of the program's dialog text, 11 pixels to the em at 1x, which
// gives its 13-pixel line.
constexpr const char* kDialogFace = "sans-serif:weight=80";
constexpr double kDialogEmPx = 11.0;

constexpr SDL_Color kFace{192, 192, 192, 255}, kLight{255, 255, 255, 255}, kShadow{128, 128, 128, 255},
    kDark{0, 0, 0, 255}, kCaption{0, 0, 128, 255};

class Painter {
 public:
  Painter(SDL_Surface* target, int left, int top, int line) : target_(target), left_(left), top_(top), line_(line) {}

  void fill(const ScreenRect& r, SDL_Color c) const {
    const SDL_Rect rect{left_ + r.left, top_ + r.top, r.width(), r.height()};
    SDL_FillRect(target_, &rect, SDL_MapRGB(target_->format, c.r, c.g, c.b));
  }
  // One ring of an edge, `line_` thick, lit from the top left.
  void ring(const ScreenRect& r, SDL_Color top_left, SDL_Color bottom_right) const {
    fill(ScreenRect{r.left, r.bottom - line_, r.right, r.bottom}, bottom_right);
    fill(ScreenRect{r.right - line_, r.top, r.right, r.bottom}, bottom_right);
    fill(ScreenRect{r.left, r.top, r.right - line_, r.top + line_}, top_left);
    fill(ScreenRect{r.left, r.top, r.left + line_, r.bottom - line_}, top_left);
  }
  ScreenRect inset(const ScreenRect& r) const {
    return ScreenRect{r.left + line_, r.top + line_, r.right - line_, r.bottom - line_};
  }
  void text(const SdlBoxFont& font, const ScreenRect& r, const std::string& s, SDL_Color c, bool centred) const {
    const int x = centred ? r.left + (r.width() - font.width(s)) / 2 : r.left;
    font.draw(target_, left_ + x, top_ + r.top + (r.height() - font.lineHeight()) / 2, s, c);
  }

 private:
  SDL_Surface* target_;
  int left_, top_, line_;
};

void paintButton(const Painter& p, const SdlBoxFont& font, ScreenRect r, const char* label, bool focused,
                 bool pressed, int line) {
  p.fill(r, kFace);
  if (focused) {  // the default button's thick border: a black frame around the face
    p.ring(r, kDark, kDark);
    r = p.inset(r);
  }
  if (pressed) {
    p.ring(r, kShadow, kShadow);
    p.text(font, ScreenRect{r.left + line, r.top + line, r.right + line, r.bottom + line}, label, kDark, true);
    return;
  }
  p.ring(r, kLight, kDark);
  p.ring(p.inset(r), kFace, kShadow);
  p.text(font, r, label, kDark, true);
}

// A round sign in the icon's place: a red cross, a yellow exclamation mark, a blue i or ?.
void paintIcon(const Painter& p, const SdlBoxFont& font, const ScreenRect& r, MessageBoxIcon icon) {
  if (icon == MessageBoxIcon::None) return;
  const SDL_Color disc = icon == MessageBoxIcon::Error     ? SDL_Color{255, 0, 0, 255}
                         : icon == MessageBoxIcon::Warning ? SDL_Color{255, 255, 0, 255}
                                                           : SDL_Color{0, 0, 255, 255};
  const char* sign = icon == MessageBoxIcon::Error      ? "X"
                     : icon == MessageBoxIcon::Warning  ? "!"
                     : icon == MessageBoxIcon::Question ? "?"
                                                        : "i";
  const double radius = r.width() / 2.0;
  for (int y = 0; y < r.height(); ++y) {
    const double dy = y + 0.5 - radius;
    const int half = static_cast<int>(std::sqrt(std::max(0.0, radius * radius - dy * dy)) + 0.5);
    p.fill(ScreenRect{r.left + r.width() / 2 - half, r.top + y, r.left + r.width() / 2 + half, r.top + y + 1}, disc);
  }
  p.text(font, r, sign, icon == MessageBoxIcon::Warning ? kDark : kLight, true);
}

}  // namespace

std::unique_ptr<SdlBoxFont> SdlBoxFont::open(double factor) {
  if (TTF_WasInit() == 0 && TTF_Init() != 0) return nullptr;
  const FontFileMatch file = matchFontFile(nullptr, kDialogFace);
  if (file.path.empty()) {
    SDL_SetError("no font file for %s", kDialogFace);
    return nullptr;
  }
  const int size = std::max(1, static_cast<int>(std::lround(kDialogEmPx * factor)));
  TTF_Font* font = TTF_OpenFontIndex(file.path.c_str(), size, file.index);
  return font != nullptr ? std::unique_ptr<SdlBoxFont>(new SdlBoxFont(font)) : nullptr;
}

SdlBoxFont::~SdlBoxFont() { TTF_CloseFont(font_); }

int SdlBoxFont::lineHeight() const { return TTF_FontHeight(font_); }

int SdlBoxFont::width(const std::string& text) const {
  int w = 0, h = 0;
  return TTF_SizeText(font_, text.c_str(), &w, &h) == 0 ? w : 0;
}

void SdlBoxFont::draw(SDL_Surface* target, int x, int y, const std::string& text, SDL_Color colour) const {
  if (text.empty()) return;
  SDL_Surface* glyphs = TTF_RenderText_Solid(font_, text.c_str(), colour);
  if (glyphs == nullptr) return;
  SDL_Rect at{x, y, glyphs->w, glyphs->h};
  SDL_BlitSurface(glyphs, nullptr, target, &at);
  SDL_FreeSurface(glyphs);
}

void paintMessageBox(SDL_Surface* target, int left, int top, const MessageBoxLayout& layout,
                     const MessageBoxPlan& plan, const std::string& caption, const SdlBoxFont& font,
                     const MessageBoxState& state) {
  const Painter p(target, left, top, layout.frame);
  const ScreenRect all{0, 0, layout.width, layout.height};
  p.fill(all, kFace);
  p.ring(all, kFace, kDark);
  p.ring(p.inset(all), kLight, kShadow);
  p.fill(layout.caption, kCaption);
  p.text(font, ScreenRect{layout.caption.left + 3 * layout.frame, layout.caption.top, layout.caption.right,
                          layout.caption.bottom},
         caption, kLight, false);
  paintIcon(p, font, layout.icon, plan.icon);
  for (size_t i = 0; i < layout.lines.size(); ++i) p.text(font, layout.line_boxes[i], layout.lines[i], kDark, false);
  for (size_t i = 0; i < layout.buttons.size() && i < plan.buttons.size(); ++i) {
    const int index = static_cast<int>(i);
    paintButton(p, font, layout.buttons[i], plan.buttons[i].label, index == state.focused, index == state.pressed,
                layout.frame);
  }
}

}  // namespace zorva::platform
