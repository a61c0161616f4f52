// Reading and writing a 1 MB document in the program's XML dialect.
//
// Budget: BM_XmlReadWrite (UTF-8 bytes to a tree and back to UTF-8 bytes) at 50 MB/s or more
// of document on the development machine. The store benchmarks fill and read a document of the
// same size through paths, one sibling per song, which stays linear only because the store
// indexes the children of large elements.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/text/Utf.h"
#include "s/col/_array/ArrayU08.h"
#include "s/xml/MappedData.h"
#include "s/xml/Node.h"

namespace {

constexpr std::size_t kDocumentSize = 1 << 20;

std::u16string wide(const std::string& s) { return platform::text::utf8ToUtf16(s); }

// A play list of songs with non-ASCII titles, escaped characters and text content.
const std::string& document() {
  static const std::string bytes = [] {
    s::xml::Node* root = s::xml::Node::create();
    root->setName(u"PlayListXml");
    s::xml::Node* songs = root->addChild(u"Songs");
    std::u16string text;
    for (int i = 0; text.size() < kDocumentSize; ++i) {
      s::xml::Node* song = songs->addChild(u"Song");
      song->addAttrS32(u"Number", i);
      song->addAttrText(u"Title", (u"Ünïcödé «" + wide(std::to_string(i)) + u"» & \"quotes\"").c_str());
      song->addAttrU32(u"Duration", 180000u + static_cast<unsigned>(i));
      song->addAttrText(u"Artist", u"Artist Name 日本語");
      song->addAttrText(u"Path", (u"/home/user/Music/Album/" + wide(std::to_string(i)) + u".mp3").c_str());
      song->addAttrF32(u"Gain", 0.5f);
      song->addAttrText(u"", u"A comment with  spaces\nand a line break ");
      if (i % 256 == 0) {
        text.clear();
        root->writeTo(text);
      }
    }
    s::col::_array::ArrayU08* out = root->writeUtf8();
    std::string result(reinterpret_cast<const char*>(out->bytes()), out->size());
    out->release();
    root->release();
    return result;
  }();
  return bytes;
}

void BM_XmlRead(benchmark::State& state) {
  const std::string& doc = document();
  for (auto _ : state) {
    s::xml::Node* root = s::xml::Node::create();
    root->parseUtf8(doc);
    benchmark::DoNotOptimize(root->childCount());
    root->release();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_XmlRead)->Unit(benchmark::kMillisecond);

void BM_XmlWrite(benchmark::State& state) {
  const std::string& doc = document();
  s::xml::Node* root = s::xml::Node::create();
  root->parseUtf8(doc);
  s::col::_array::ArrayU08* out = s::col::_array::ArrayU08::create();
  for (auto _ : state) {
    root->writeUtf8(out, false);
    benchmark::DoNotOptimize(out->bytes());
  }
  if (out->size() != doc.size()) state.SkipWithError("the document did not write back unchanged");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
  out->release();
  root->release();
}
BENCHMARK(BM_XmlWrite)->Unit(benchmark::kMillisecond);

void BM_XmlReadWrite(benchmark::State& state) {
  const std::string& doc = document();
  s::col::_array::ArrayU08* out = s::col::_array::ArrayU08::create();
  for (auto _ : state) {
    s::xml::Node* root = s::xml::Node::create();
    root->parseUtf8(doc);
    root->writeUtf8(out, false);
    benchmark::DoNotOptimize(out->bytes());
    root->release();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
  state.counters["document_bytes"] = static_cast<double>(doc.size());
  out->release();
}
BENCHMARK(BM_XmlReadWrite)->Unit(benchmark::kMillisecond);

// Fills a store with one element per song under one parent, then writes the document.
void BM_XmlStoreFillAndWrite(benchmark::State& state) {
  const int songs = static_cast<int>(state.range(0));
  std::vector<std::u16string> paths;
  for (int i = 0; i < songs; ++i) paths.push_back(u"Songs/S" + wide(std::to_string(i)));
  s::col::_array::ArrayU08* out = s::col::_array::ArrayU08::create();
  for (auto _ : state) {
    s::xml::MappedData* store = s::xml::openXmlStore(u"", u"PlayListXml", false);
    for (int i = 0; i < songs; ++i) {
      const char16_t* path = paths[static_cast<std::size_t>(i)].c_str();
      store->setS32(path, u"Number", i);
      store->setString(path, u"Title", u"Ünïcödé title & \"quotes\"");
      store->setU32(path, u"Duration", 180000u);
      store->setString(path, u"Path", u"/home/user/Music/Album/Some Song.mp3");
      store->setString(path, u"", u"A comment with  spaces");
    }
    store->root()->writeUtf8(out, false);
    store->release();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out->size()));
  state.counters["document_bytes"] = static_cast<double>(out->size());
  out->release();
}
BENCHMARK(BM_XmlStoreFillAndWrite)->Arg(1000)->Arg(6000)->Unit(benchmark::kMillisecond);

}  // namespace
