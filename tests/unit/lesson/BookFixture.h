// A lesson book on the headless desktop, in a temporary folder holding a ZORVADAT built in code.
#pragma once

#include <gtest/gtest.h>

#include <afxwin.h>

#include <filesystem>
#include <memory>

#include "lesson/LessonBook.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/DataFolder.h"
#include "tests/support/PixelCanvas.h"
#include "tools/lessonkit/Folder.h"

namespace lessontest {

namespace lk = zorva::lessonkit;

inline lk::Item silentItem(int left, int top, int head = -1, int next = -1) {
  lk::Item item;
  item.audio = {left, top, left + 40, top + 20};
  item.role = {left, top + 30, left + 10, top + 40};
  item.role_head = head;
  item.next_in_role = next;
  item.name = "item";
  return item;
}

inline lk::Page page(const std::string& name, const std::string& prev, const std::string& next,
                     std::vector<lk::Item> items = {}) {
  lk::Page p;
  p.file_name = name;
  p.prev_name = prev;
  p.next_name = next;
  p.info = "Page " + name;
  p.picture = lk::IndexedPicture::filled(40, 40, 1);
  p.items = std::move(items);
  return p;
}

class BookTest : public ::testing::Test {
protected:
  void SetUp() override {
    desktop_ = &zorva::platform::HeadlessBackend::install();
    std::filesystem::create_directories(folder_.dataDir());
  }
  void TearDown() override { book_.reset(); }
  void writeBook(const lk::Book& book) { lk::writeFolder(lk::buildFolder(book), folder_.root()); }
  void writeRaw(const std::string& name, const lk::Bytes& bytes) {
    folder_.writeDataFile(name, bytes);
  }
  CLessonBook& makeBook() {
    book_ = std::make_unique<CLessonBook>();
    return *book_;
  }

  zorva::testing::DataFolder folder_;  // the test runs inside it
  zorva::platform::HeadlessBackend* desktop_ = nullptr;
  pixeltest::Canvas view_{1024, 716};  // what the lesson view shows
  CDC& dc_ = view_.cdc();
  std::unique_ptr<CLessonBook> book_;
};

}  // namespace lessontest
