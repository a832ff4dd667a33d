#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>

#include "tools/zorva-lesson/Picture.h"

namespace zorva::builder {
namespace {

constexpr int kMarginPx = 40;
constexpr int kLineStepPx = 40;
constexpr int kFontPx = 24;
constexpr int kBoxPadPx = 6;

std::string sansFontFile() {
  std::string file;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<char*>(path);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return file;
}

}  // namespace

TextPage layOutText(const std::vector<std::string>& lines, int width, int height, const SourceRef& where) {
  if (TTF_WasInit() == 0 && TTF_Init() != 0) throw BuildError(where, "the text renderer could not start");
  const std::string font_file = sansFontFile();
  TTF_Font* font = font_file.empty() ? nullptr : TTF_OpenFont(font_file.c_str(), kFontPx);
  if (font == nullptr) throw BuildError(where, "no sans-serif font found for laying out text");
  TextPage page;
  page.image.width = width;
  page.image.height = height;
  page.image.rgba.assign(static_cast<size_t>(width) * height * 4, 255);
  for (size_t i = 0; i < lines.size(); ++i) {
    const int top = kMarginPx + static_cast<int>(i) * kLineStepPx;
    if (top + TTF_FontHeight(font) > height) {
      TTF_CloseFont(font);
      throw BuildError(where, "line " + std::to_string(i + 1) + " does not fit on the picture");
    }
    if (lines[i].empty()) {
      page.line_boxes.push_back(PictureRect{kMarginPx, top, kMarginPx, top});
      continue;
    }
    SDL_Surface* text = TTF_RenderUTF8_Blended(font, lines[i].c_str(), SDL_Color{20, 20, 60, 255});
    SDL_Surface* rgba = text ? SDL_ConvertSurfaceFormat(text, SDL_PIXELFORMAT_ABGR8888, 0) : nullptr;
    if (text) SDL_FreeSurface(text);
    if (rgba == nullptr) {
      TTF_CloseFont(font);
      throw BuildError(where, "could not render line " + std::to_string(i + 1));
    }
    if (kMarginPx + rgba->w > width) {
      SDL_FreeSurface(rgba);
      TTF_CloseFont(font);
      throw BuildError(where, "line " + std::to_string(i + 1) + " is wider than the picture");
    }
    for (int y = 0; y < rgba->h && top + y < height; ++y) {
      const uint8_t* src = static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch;
      uint8_t* dst = &page.image.rgba[(static_cast<size_t>(top + y) * width + kMarginPx) * 4];
      for (int x = 0; x < rgba->w; ++x) {
        const int a = src[x * 4 + 3];
        for (int c = 0; c < 3; ++c) dst[x * 4 + c] = static_cast<uint8_t>((src[x * 4 + c] * a + dst[x * 4 + c] * (255 - a)) / 255);
      }
    }
    page.line_boxes.push_back(PictureRect{kMarginPx - kBoxPadPx, top - kBoxPadPx, kMarginPx + rgba->w + kBoxPadPx,
                                       top + TTF_FontHeight(font) + kBoxPadPx});
    SDL_FreeSurface(rgba);
  }
  TTF_CloseFont(font);
  return page;
}

}  // namespace zorva::builder
