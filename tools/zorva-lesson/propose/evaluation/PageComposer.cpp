#include "tools/zorva-lesson/propose/evaluation/PageComposer.h"

#include <cairo-pdf.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace zorva::evaluation {
namespace {

constexpr double kA4WidthPt = 595.28;
constexpr double kPageHeightPt = kA4WidthPt * kComposedHeight / kComposedWidth;
constexpr int kInkLevel = 160;  // darker than this in every channel counts as ink

struct Layout {
  PangoLayout* layout;
  std::vector<std::pair<int, int>> spans;  // each span's bytes in the layout's text
  ~Layout() { g_object_unref(layout); }
};

// A layout of the block, without hinting, so the picture and the PDF place every glyph alike.
Layout layOut(cairo_t* cr, const TextBlock& block) {
  Layout out{pango_cairo_create_layout(cr), {}};
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(pango_layout_get_context(out.layout), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(out.layout);
  PangoFontDescription* font = pango_font_description_from_string("Liberation Serif");
  pango_font_description_set_absolute_size(font, block.size_px * PANGO_SCALE);
  if (block.bold) pango_font_description_set_weight(font, PANGO_WEIGHT_BOLD);
  if (block.italic) pango_font_description_set_style(font, PANGO_STYLE_ITALIC);
  pango_layout_set_font_description(out.layout, font);
  pango_font_description_free(font);
  pango_layout_set_width(out.layout, block.width * PANGO_SCALE);
  pango_layout_set_wrap(out.layout, PANGO_WRAP_WORD);
  std::string text;
  PangoAttrList* attributes = pango_attr_list_new();
  for (const Span& span : block.spans) {
    if (!text.empty()) text += ' ';
    out.spans.emplace_back(static_cast<int>(text.size()), static_cast<int>(text.size() + span.text.size()));
    text += span.text;
    if (span.bold) {
      PangoAttribute* bold = pango_attr_weight_new(PANGO_WEIGHT_BOLD);
      bold->start_index = static_cast<guint>(out.spans.back().first);
      bold->end_index = static_cast<guint>(out.spans.back().second);
      pango_attr_list_insert(attributes, bold);
    }
  }
  pango_layout_set_text(out.layout, text.c_str(), static_cast<int>(text.size()));
  pango_layout_set_attributes(out.layout, attributes);
  pango_attr_list_unref(attributes);
  return out;
}

// A picture of a book: soft shapes in greys and a frame.
void drawPicture(cairo_t* cr, const PictureRect& box) {
  const double w = box.right - box.left, h = box.bottom - box.top;
  cairo_pattern_t* shade = cairo_pattern_create_linear(box.left, box.top, box.right, box.bottom);
  cairo_pattern_add_color_stop_rgb(shade, 0, 0.62, 0.7, 0.78);
  cairo_pattern_add_color_stop_rgb(shade, 1, 0.35, 0.45, 0.38);
  cairo_rectangle(cr, box.left, box.top, w, h);
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
  cairo_set_source_rgb(cr, 0.85, 0.75, 0.4);
  cairo_arc(cr, box.left + w * 0.7, box.top + h * 0.3, h * 0.15, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.25, 0.3, 0.28);
  cairo_move_to(cr, box.left, box.bottom);
  cairo_line_to(cr, box.left + w * 0.35, box.top + h * 0.45);
  cairo_line_to(cr, box.left + w * 0.6, box.top + h * 0.7);
  cairo_line_to(cr, box.right, box.top + h * 0.5);
  cairo_line_to(cr, box.right, box.bottom);
  cairo_fill(cr);
}

void draw(cairo_t* cr, const Composition& page) {
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  for (const PictureRect& picture : page.pictures) drawPicture(cr, picture);
  for (const TextBlock& block : page.blocks) {
    const Layout layout = layOut(cr, block);
    cairo_set_source_rgb(cr, 0.08, 0.08, 0.1);
    cairo_move_to(cr, block.left, block.top);
    pango_cairo_show_layout(cr, layout.layout);
  }
}

bool isInk(const builder::RgbaImage& image, int x, int y) {
  const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
  return p[0] < kInkLevel && p[1] < kInkLevel && p[2] < kInkLevel;
}

// The ink in columns [x0, x1) and rows [y0, y1); an empty box if there is none.
PictureRect inkBox(const builder::RgbaImage& image, int x0, int x1, int y0, int y1) {
  PictureRect box{x1, y1, x0, y0};
  for (int y = std::max(0, y0); y < std::min(image.height, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(image.width, x1); ++x)
      if (isInk(image, x, y))
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
  return box.right > box.left ? box : PictureRect{};
}

// Each sentence span's ink, line by line: the span's stretch of the line, searched for ink.
void measureInk(cairo_t* cr, const TextBlock& block, const builder::RgbaImage& image, ComposedPage& out) {
  const Layout layout = layOut(cr, block);
  PangoLayoutIter* line = pango_layout_get_iter(layout.layout);
  do {
    PangoLayoutLine* current = pango_layout_iter_get_line_readonly(line);
    PangoRectangle logical;
    pango_layout_iter_get_line_extents(line, nullptr, &logical);
    const int top = block.top + logical.y / PANGO_SCALE, bottom = block.top + (logical.y + logical.height) / PANGO_SCALE;
    const int line_start = current->start_index, line_end = current->start_index + current->length;
    for (size_t s = 0; s < block.spans.size(); ++s) {
      const auto [from, to] = layout.spans[s];
      if (block.spans[s].sentence < 0 || to <= line_start || from >= line_end) continue;
      int* ranges = nullptr;
      int count = 0;
      pango_layout_line_get_x_ranges(current, std::max(from, line_start), std::min(to, line_end), &ranges, &count);
      for (int r = 0; r < count; ++r) {
        const PictureRect ink = inkBox(image, block.left + ranges[2 * r] / PANGO_SCALE - 1,
                                       block.left + ranges[2 * r + 1] / PANGO_SCALE + 1, top, bottom);
        if (ink.right > ink.left) out.sentence_ink[static_cast<size_t>(block.spans[s].sentence)].push_back(ink);
      }
      g_free(ranges);
    }
  } while (pango_layout_iter_next_line(line));
  pango_layout_iter_free(line);
}

}  // namespace

int blockHeight(const TextBlock& block) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  cairo_t* cr = cairo_create(surface);
  int height = 0;
  {
    const Layout layout = layOut(cr, block);
    pango_layout_get_pixel_size(layout.layout, nullptr, &height);
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return height;
}

ComposedPage compose(const Composition& page, int sentences) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kComposedWidth, kComposedHeight);
  // A scan is cut below its print, as a course author crops it.
  int height = 0;
  for (const TextBlock& block : page.blocks) height = std::max(height, block.top + blockHeight(block) + 40);
  for (const PictureRect& picture : page.pictures) height = std::max(height, picture.bottom + 40);
  height = std::min(height, kComposedHeight);
  cairo_t* cr = cairo_create(surface);
  draw(cr, page);
  cairo_surface_flush(surface);
  ComposedPage out;
  out.image.width = kComposedWidth;
  out.image.height = height;
  out.image.rgba.resize(static_cast<size_t>(kComposedWidth) * height * 4);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < kComposedWidth; ++x) {
      const unsigned char* p = data + static_cast<size_t>(y) * stride + x * 4;  // B, G, R, unused
      uint8_t* o = &out.image.rgba[(static_cast<size_t>(y) * kComposedWidth + x) * 4];
      o[0] = p[2], o[1] = p[1], o[2] = p[0], o[3] = 255;
    }
  out.sentence_ink.resize(static_cast<size_t>(sentences));
  for (const TextBlock& block : page.blocks) measureInk(cr, block, out.image, out);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return out;
}

void writePdf(const Composition& page, const std::string& path) {
  cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), kA4WidthPt, kPageHeightPt);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, kA4WidthPt / kComposedWidth, kPageHeightPt / kComposedHeight);
  draw(cr, page);
  cairo_show_page(cr);
  const bool failed = cairo_status(cr) != CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  if (failed) throw builder::BuildError("can't write the PDF " + path);
}

}  // namespace zorva::evaluation
