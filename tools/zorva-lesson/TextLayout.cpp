// Text pages are laid out with Pango on Cairo: fontconfig picks a font for every character the
// main font lacks, HarfBuzz shapes joined scripts, and right-to-left lines stand at the right.
#include <pango/pangocairo.h>

#include <cmath>
#include <memory>

#include "tools/zorva-lesson/CharacterName.h"
#include "tools/zorva-lesson/Picture.h"

namespace zorva::builder {
namespace {

constexpr int kMarginPx = 40;
constexpr double kFontPerStep = 0.6;
constexpr int kBoxPadPx = 6;
constexpr double kInk[3] = {20 / 255.0, 20 / 255.0, 60 / 255.0};

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
using Surface = std::unique_ptr<cairo_surface_t, Deleter<cairo_surface_t, cairo_surface_destroy>>;
using Cairo = std::unique_ptr<cairo_t, Deleter<cairo_t, cairo_destroy>>;
using Font = std::unique_ptr<PangoFontDescription, Deleter<PangoFontDescription, pango_font_description_free>>;
void unrefLayout(PangoLayout* layout) { g_object_unref(layout); }
using Layout = std::unique_ptr<PangoLayout, Deleter<PangoLayout, unrefLayout>>;

// The first character that no installed font could show, or 0.
gunichar firstMissingCharacter(PangoLayout* layout) {
  if (pango_layout_get_unknown_glyphs_count(layout) == 0) return 0;
  const char* text = pango_layout_get_text(layout);
  gunichar first = 0;
  int first_at = -1;
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  do {
    PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter);
    if (run == nullptr) continue;
    for (int g = 0; g < run->glyphs->num_glyphs; ++g) {
      if ((run->glyphs->glyphs[g].glyph & PANGO_GLYPH_UNKNOWN_FLAG) == 0) continue;
      const int at = run->item->offset + run->glyphs->log_clusters[g];
      if (first_at < 0 || at < first_at) {
        first_at = at;
        first = g_utf8_get_char(text + at);
      }
    }
  } while (pango_layout_iter_next_run(iter));
  pango_layout_iter_free(iter);
  return first;
}

std::string lineName(size_t index) { return "text line " + std::to_string(index + 1); }

void refuseMissingGlyph(PangoLayout* layout, size_t index, const SourceRef& where) {
  const gunichar missing = firstMissingCharacter(layout);
  if (missing == 0) return;
  throw BuildError(where, lineName(index) + ": no installed font has the character " + describeCharacter(missing) +
                              "; install a font that has it, for example the Debian package " +
                              fontPackageFor(missing));
}

RgbaImage toRgba(cairo_surface_t* surface, int width, int height) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  RgbaImage image;
  image.width = width;
  image.height = height;
  image.rgba.resize(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      uint8_t* out = &image.rgba[(static_cast<size_t>(y) * width + x) * 4];
      out[0] = static_cast<uint8_t>(row[x] >> 16);  // the page is opaque, so nothing is premultiplied
      out[1] = static_cast<uint8_t>(row[x] >> 8);
      out[2] = static_cast<uint8_t>(row[x]);
      out[3] = 255;
    }
  }
  return image;
}

// Tab stops line the columns of a dialogue up in a proportional font, where spaces cannot.
void setTabStops(PangoLayout* layout, const std::vector<int>& stops_px) {
  if (stops_px.empty()) return;
  PangoTabArray* tabs = pango_tab_array_new(static_cast<int>(stops_px.size()), TRUE);
  for (size_t i = 0; i < stops_px.size(); ++i) pango_tab_array_set_tab(tabs, static_cast<int>(i), PANGO_TAB_LEFT, stops_px[i]);
  pango_layout_set_tabs(layout, tabs);
  pango_tab_array_free(tabs);
}

}  // namespace

TextPage layOutText(const std::vector<std::string>& lines, int width, int height, const SourceRef& where,
                    const TextStyle& style) {
  const int step_px = style.line_step_px;
  const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  const Cairo cr(cairo_create(surface.get()));
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) throw BuildError(where, "the text renderer could not start");
  cairo_set_source_rgb(cr.get(), 1, 1, 1);
  cairo_paint(cr.get());
  const Font font(pango_font_description_from_string("Sans"));
  pango_font_description_set_absolute_size(font.get(), std::round(step_px * kFontPerStep) * PANGO_SCALE);
  const int room = width - 2 * kMarginPx;
  TextPage page;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int top = kMarginPx + static_cast<int>(i) * step_px;
    if (top + step_px - kBoxPadPx > height) throw BuildError(where, lineName(i) + " does not fit on the picture");
    if (lines[i].empty()) {
      page.lines.push_back(TextLine{PictureRect{kMarginPx, top, kMarginPx, top}});
      continue;
    }
    const Layout layout(pango_cairo_create_layout(cr.get()));
    pango_layout_set_font_description(layout.get(), font.get());
    setTabStops(layout.get(), style.tab_stops_px);
    if (style.cut_long_lines) {
      pango_layout_set_width(layout.get(), room * PANGO_SCALE);
      pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
    }
    pango_layout_set_text(layout.get(), lines[i].c_str(), -1);
    refuseMissingGlyph(layout.get(), i, where);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    if (logical.width > room || pango_layout_get_line_count(layout.get()) > 1) {
      throw BuildError(where, lineName(i) + " is " + std::to_string(logical.width) + " pixels wide; a line has " +
                                  std::to_string(room) + " on this picture");
    }
    // A right-to-left line starts at the right margin.
    const bool rtl = pango_layout_get_direction(layout.get(), 0) == PANGO_DIRECTION_RTL;
    const int left = rtl ? width - kMarginPx - logical.width : kMarginPx;
    cairo_set_source_rgb(cr.get(), kInk[0], kInk[1], kInk[2]);
    cairo_move_to(cr.get(), left - logical.x, top);
    pango_cairo_show_layout(cr.get(), layout.get());
    page.lines.push_back(TextLine{
        PictureRect{left - kBoxPadPx, top - kBoxPadPx, left + logical.width + kBoxPadPx, top + step_px - kBoxPadPx},
        rtl});
  }
  page.image = toRgba(surface.get(), width, height);
  return page;
}

std::string fontPackageFor(char32_t character) {
  if ((character >= 0x1F300 && character <= 0x1FAFF) || (character >= 0x2600 && character <= 0x27BF)) {
    return "fonts-noto-color-emoji";
  }
  switch (g_unichar_get_script(character)) {
    case G_UNICODE_SCRIPT_HAN:
    case G_UNICODE_SCRIPT_HIRAGANA:
    case G_UNICODE_SCRIPT_KATAKANA:
    case G_UNICODE_SCRIPT_HANGUL:
    case G_UNICODE_SCRIPT_BOPOMOFO:
      return "fonts-noto-cjk";
    case G_UNICODE_SCRIPT_THAI:
      return "fonts-thai-tlwg";
    default:
      return "fonts-noto-core";
  }
}

}  // namespace zorva::builder
