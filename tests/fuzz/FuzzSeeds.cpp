#include "tests/fuzz/FuzzSeeds.h"

#include <functional>
#include <map>

namespace zorva::fuzz {

namespace lk = lessonkit;

namespace {

lk::IndexedPicture stripes(int width, int height) {
  lk::IndexedPicture p = lk::IndexedPicture::filled(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.at(x, y) = static_cast<uint8_t>((x / 3 + y) % 5 == 0 ? 0xC5 : x + y);
  for (int i = 0; i < 256; ++i) p.setColour(static_cast<uint8_t>(i), static_cast<uint8_t>(i), 255 - i, i / 2);
  return p;
}

// A picture whose header claims `width` pixels a row while its rows hold `bytes_per_line`.
lk::Bytes shortRows(int width, int bytes_per_line) {
  lk::Bytes pcx = lk::encodePcx(stripes(bytes_per_line, 4));
  lk::putLe16(pcx, 8, static_cast<uint16_t>(width - 1));
  return pcx;
}

std::vector<int16_t> tone(int count) {
  std::vector<int16_t> s(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) s[static_cast<size_t>(i)] = static_cast<int16_t>((i % 40 - 20) * 800);
  return s;
}

lk::Bytes withPrefix(uint8_t first, const lk::Bytes& rest) {
  lk::Bytes b{first};
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

// Offset and length of the clip, then the file holding it.
lk::Bytes clipInput(uint32_t offset, uint32_t length, const lk::Bytes& file) {
  lk::Bytes b;
  lk::ByteWriter w(b);
  w.le32(offset);
  w.le32(length);
  w.bytes(file);
  return b;
}

lk::Item item(int left, int top, int head, int next, int samples) {
  lk::Item it;
  it.audio = {left, top, left + 60, top + 18};
  it.role = {left - 12, top, left - 2, top + 18};
  it.role_head = head;
  it.next_in_role = next;
  it.name = "clip";
  it.samples = tone(samples);
  return it;
}

lk::Page page(std::vector<lk::Item> items) {
  lk::Page p;
  p.file_name = "14101.pge";
  p.prev_name = "14101.PGE";
  p.next_name = "14102.PGE";
  p.info = "Lesson 1, page 1";
  p.picture = stripes(33, 20);
  p.items = std::move(items);
  return p;
}

std::vector<lk::Bytes> pcxSeeds() {
  return {
      lk::encodePcx(stripes(5, 3)),
      lk::encodePcx(stripes(64, 6)),
      lk::encodePcx(stripes(7, 2)),
      shortRows(30000, 1),  // rows of one byte for 30000 pixels
      shortRows(740, 256),
  };
}

std::vector<lk::Bytes> aiffSeeds() {
  const lk::Bytes clip = lk::encodeAiff(tone(300));
  lk::Bytes padded(100, 0x11);
  padded.insert(padded.end(), clip.begin(), clip.end());
  return {
      clipInput(0, static_cast<uint32_t>(clip.size()), clip),
      clipInput(100, static_cast<uint32_t>(clip.size()), padded),
      clipInput(0, static_cast<uint32_t>(clip.size()) + 2000, clip),  // cut short by the file
      clipInput(0, 1700000000u, clip),                                 // claims 1.7 GB
      clipInput(0, 53, clip),                                          // odd data size
  };
}

std::vector<lk::Bytes> pageSeeds() {
  lk::Page plain = page({});
  lk::Page dialogue = page({item(120, 60, 0, 2, 50), item(120, 90, 1, -1, 0), item(120, 120, 0, -1, 30)});
  lk::Page huge_rects = page({});
  for (int i = 0; i < 8; ++i) {
    lk::Item it = item(0, 0, -1, -1, 0);
    it.audio = {-8192, -2048, 8191, 2047};
    huge_rects.items.push_back(it);
  }
  lk::PageFile long_clip = lk::pageFile(page({item(120, 60, -1, -1, 20)}));
  lk::putLe32(long_clip.bytes, long_clip.record_at[0] + 88, 1700000000u);
  return {
      withPrefix(0, lk::pageFile(plain).bytes),
      withPrefix(0, lk::pageFile(dialogue).bytes),
      withPrefix(0, lk::pageFile(huge_rects).bytes),
      withPrefix(0, long_clip.bytes),
      withPrefix(0, lk::pageFile(plain, shortRows(30000, 1)).bytes),
      withPrefix(1, goodStartupFile()),
      withPrefix(1, lk::startupFile(shortRows(740, 256)).bytes),
  };
}

// The page inputs, and pages whose neighbours' names lead to the folder itself, out of it, to a
// device, to the start-up file or back to the page.
std::vector<lk::Bytes> checkerSeeds() {
  std::vector<lk::Bytes> seeds = pageSeeds();
  for (const char* name : {".", "/", "/dev/zero", "..\\..\\ETC", "DATA4.DAT", "14101.PGE"}) {
    lk::Page named = page({item(120, 60, 0, -1, 10)});
    named.next_name = name;
    named.prev_name = name;
    seeds.push_back(withPrefix(0, lk::pageFile(named).bytes));
  }
  return seeds;
}

lk::Bytes text(const std::string& t) { return lk::Bytes(t.begin(), t.end()); }

std::vector<lk::Bytes> descriptionSeeds() {
  const std::string page = "[title]\ntext = [\"Title\"]\n\n[[lesson]]\nnumber = 1\nvoice = \"en\"\n  [[lesson.page]]\n"
                           "  info = \"one\"\n  text = [\"First line\"]\n    [[lesson.page.item]]\n    line = 1\n";
  return {
      text(page + "    say = \"Hello.\"\n    tempo = 0.8\n"),
      text(page + "    rect = [10, 10, 90, 30]\n    role = \"A\"\n    from = 1.5\n    to = nan\n"),
      text(page + "[a.b.c.d.e.f.g.h.i]\nx = {y = [[[1]]], 'q.r' = \"\"\"s\n\"\"\"}\n"),
  };
}

// Propose's inputs: a picture (a 1x1 PNG and a header claiming 30000x30000), a PDF page of
// 10000 points, a WAV and an AIFF.
std::vector<lk::Bytes> proposeInputSeeds() {
  using namespace std::string_literals;
  const std::string png_bytes = "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00\x01\x08\x06"
                                  "\x00\x00\x00\x1f\x15\xc4\x89\x00\x00\x00\x0d\x49\x44\x41\x54\x78\xda\x63\x64\x60\xf8\x5f\x0f\x00\x02\x87"
                                  "\x01\x80\xeb\x47\xba\x92\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82"s;
  const lk::Bytes png(png_bytes.begin(), png_bytes.end());
  lk::Bytes huge = png;
  for (const size_t at : {16u, 20u}) lk::putLe32(huge, at, 0x30750000u);  // 30000 read big-endian
  lk::Bytes wav;  // four samples of 16-bit mono at 8 kHz
  lk::ByteWriter w(wav);
  w.tag("RIFF");
  w.le32(36 + 8);
  w.tag("WAVEfmt ");
  for (const uint32_t v : {16u, 0x00010001u, 8000u, 16000u, 0x00100002u}) w.le32(v);
  w.tag("data");
  w.le32(8);
  for (const uint16_t v : {1, 2, 3, 4}) w.le16(v);
  return {
      withPrefix(0, png),
      withPrefix(0, huge),
      withPrefix(1, text("%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>"
                         "endobj\n3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 10000 10000]>>endobj\ntrailer<</Root 1 0 R>>\n"
                         "%%EOF\n")),
      withPrefix(2, wav),
      withPrefix(2, lk::encodeAiff(tone(300))),
  };
}

const std::map<std::string, std::function<std::vector<lk::Bytes>()>>& table() {
  static const std::map<std::string, std::function<std::vector<lk::Bytes>()>> t = {
      {"pcx", pcxSeeds},
      {"aiff", aiffSeeds},
      {"page", pageSeeds},
      {"checker", checkerSeeds},
      {"description", descriptionSeeds},
      {"propose_input", proposeInputSeeds},
  };
  return t;
}

}  // namespace

std::vector<lk::Bytes> seedsFor(const std::string& target) {
  const auto found = table().find(target);
  return found == table().end() ? std::vector<lk::Bytes>{} : found->second();
}

std::vector<std::string> seededTargets() {
  std::vector<std::string> names;
  for (const auto& entry : table()) names.push_back(entry.first);
  return names;
}

lk::Bytes goodStartupFile() { return lk::startupFile(lk::encodePcx(stripes(40, 30))).bytes; }

}  // namespace zorva::fuzz
