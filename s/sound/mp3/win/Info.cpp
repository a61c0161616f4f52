#include "s/sound/mp3/win/Info.h"

#include <array>

#include "platform/text/Utf.h"
#include "s/file/win/PathWin.h"
#include "s/map/IMappedData.h"
#include "s/sound/mp3/TagReader.h"
#include "s/sound/mp3/TagWriter.h"
#include "s/system/codepage/CodePageList.h"
#include "s/thread/EasyPooler.h"

namespace s::sound::mp3::win {

namespace {

using system::codepage::CodePageList;

const system::codepage::CodePage* programDefault() { return CodePageList::getDefault(); }

using file::win::PathWin;

enum KeySuffix { kBytes, kCodePage, kCodePageName, kCodePageForced, kSuffixCount };

// "titleBytes", "titleCodePage", ...: made once, as a play list of many songs asks for them
// several times per song.
const char16_t* key(int field, KeySuffix suffix) {
  static const auto keys = [] {
    const char16_t* suffixes[kSuffixCount] = {u"Bytes", u"CodePage", u"CodePageName",
                                              u"CodePageForced"};
    std::array<std::array<std::u16string, kSuffixCount>, TagFields::kCount> made;
    for (int f = 0; f < TagFields::kCount; ++f)
      for (int x = 0; x < kSuffixCount; ++x)
        made[static_cast<std::size_t>(f)][static_cast<std::size_t>(x)] =
            std::u16string(TagFields::key(f)) + suffixes[x];
    return made;
  }();
  return keys[static_cast<std::size_t>(field)][static_cast<std::size_t>(suffix)].c_str();
}


}  // namespace

Info* Info::create() { return thread::PoolOf<Info>::acquire(); }

void Info::release() { thread::PoolOf<Info>::release(this); }

Info::Info() {
  for (bool& option : options_) option = true;
}

Info::~Info() = default;

void Info::reset() {
  resetCommon();
  effectiveCodePage_ = nullptr;
  codePageForced_ = false;
  for (auto& tag : tags_) tag.reset();
  for (bool& option : options_) option = true;
  bitRateKbps_ = 192;
  saveError_.clear();
}

// The tag file is closed as soon as the tags are read: a play list holds thousands of records,
// and a descriptor kept open for each would run the process out of descriptors. Everything the
// record needs later is in the kept bytes; saveTags opens the file again.
bool Info::load(std::u16string_view path) {
  clear();
  setPath(path);
  if (!file::win::PathWin::isFile(path)) return false;
  TagReader reader;
  if (!reader.open(path)) return false;
  for (int field = 0; field < kTagCount; ++field)
    if (readsTag(field)) readTag(reader, field);
  return true;
}

const Info::Tag& Info::tag(int field) const {
  static const Tag kNone;
  const auto& held = tags_[static_cast<std::size_t>(field)];
  return held ? *held : kNone;
}

Info::Tag& Info::tagToWrite(int field) {
  auto& held = tags_[static_cast<std::size_t>(field)];
  if (!held) held = std::make_unique<Tag>();
  return *held;
}

void Info::readTag(const TagReader& reader, int field) {
  RawTagText raw = reader.read(field);
  if (!raw.present && !tags_[static_cast<std::size_t>(field)]) return;
  Tag& tag = tagToWrite(field);
  tag.text.clear();
  if (!raw.present) {
    // Bytes of an earlier load would come back as text at the next code page choice although
    // the file no longer has the tag.
    tag.bytes.clear();
    tag.encoding = -1;
    return;
  }
  tag.bytes.copyFromRaw(raw.bytes.data(), raw.bytes.size());
  tag.encoding = raw.encoding;

  if (tag.chosen) codePage_ = tag.chosen;
  else tag.chosen = programDefault();
  if (!tag.used) tag.used = programDefault();
  if (!codePage_) codePage_ = programDefault();
  if (!effectiveCodePage_) effectiveCodePage_ = programDefault();

  const CodePage* codePage = nullptr;
  switch (raw.encoding) {
    case 1:
      codePage = CodePageList::utf16();
      break;
    case 2:
      codePage = CodePageList::utf16BE();
      break;
    case 3:
      codePage = CodePageList::utf8();
      break;
    default:
      if (codePageForced_) codePage = codePage_;
      else if (tag.forced) codePage = tag.chosen;
      else if (codePage_ && !codePage_->isUnicode()) codePage = codePage_;
      else codePage = programDefault();
      break;
  }
  tag.used = codePage;
  effectiveCodePage_ = codePage;
  decodeBytes(tag.bytes, codePage, tag.text);
}

void Info::decodeBytes(const col::_array::ArrayU08& bytes, const CodePage* codePage,
                       StrBuffer& out) {
  out.clear();
  if (!codePage || bytes.size() <= 1) return;
  // The last byte is (part of) the terminator. In UTF-16 a whole unit must go, or the odd byte
  // left over would show as a replacement character.
  std::size_t size = bytes.size() - 1;
  if (codePage->getNumber() == CodePage::kUtf16 || codePage->getNumber() == CodePage::kUtf16BE)
    size &= ~std::size_t{1};
  codePage->decode(std::string_view(reinterpret_cast<const char*>(bytes.bytes()), size), out);
  // What is left of a two-byte terminator decoded in an 8-bit code page is no part of the text.
  std::size_t length = out.length();
  while (length > 0 && out.charAt(length - 1) == 0) --length;
  out.setLength(length);
}

const Info::CodePage* Info::getEffectiveCodePage() {
  if (!effectiveCodePage_) effectiveCodePage_ = programDefault();
  return effectiveCodePage_;
}

void Info::setCodePage(const CodePage* codePage, bool forced) {
  codePageForced_ = forced;
  if (codePage == codePage_) return;
  codePage_ = codePage;
  // The tags' own code pages follow, so that what a tag reports is what its text was decoded
  // with (the menus mark it, and the bytes are decoded with it again later).
  for (auto& tag : tags_) {
    if (!tag || tag->bytes.size() == 0) continue;
    decodeBytes(tag->bytes, codePage, tag->text);
    tag->used = codePage;
  }
  effectiveCodePage_ = codePage;
}

const Info::CodePage* Info::getTagCodePage(int field) {
  // An absent tag is not made just to remember the default.
  if (!tags_[static_cast<std::size_t>(field)]) return programDefault();
  Tag& tag = tagToWrite(field);
  if (!tag.used) tag.used = programDefault();
  return tag.used;
}

void Info::setTagCodePage(int field, const CodePage* codePage, bool forced) {
  Tag& tag = tagToWrite(field);
  tag.forced = forced;
  // A song-wide code page re-decodes the text but leaves the tag's choice as it was, so the
  // choice alone does not tell what the text was decoded with.
  if (codePage == tag.chosen && codePage == tag.used) return;
  tag.chosen = codePage;
  if (tag.bytes.size() > 0) decodeBytes(tag.bytes, codePage, tag.text);
  tag.used = codePage;
}

Info::StrBuffer* Info::previewTag(int field, const CodePage* codePage, int width) const {
  StrBuffer* preview = StrBuffer::create();
  decodeBytes(tag(field).bytes, codePage, *preview);
  int count = 0;
  for (std::size_t i = 0; i < preview->length(); ++i) {
    count += preview->charAt(i) > 0xFF ? 2 : 1;
    // Cut only when something is left out; a text that just fits is shown whole.
    if (count >= width && i + 1 < preview->length()) {
      preview->setLength(i + 1);
      preview->append(u"...");
      break;
    }
  }
  return preview;
}

bool Info::saveTags(std::u16string_view path) {
  saveError_.clear();
  clear();
  setPath(path);
  if (!file::win::PathWin::isFile(path)) {
    saveError_ = "cannot open " + platform::text::utf16ToUtf8(path) + ": no such file";
    return false;
  }
  TagWriter::Texts texts;
  for (int field = 0; field < kTagCount; ++field)
    if (writesTag(field)) texts.text[field] = tag(field).text.view();
  const CodePage* codePage = defaultCodePage_ ? defaultCodePage_ : programDefault();
  if (!codePage) codePage = CodePageList::utf16();
  TagWriter writer;
  if (writer.write(path, texts, *codePage)) return true;
  saveError_ = writer.lastError();
  return false;
}

void Info::save(map::IMappedData* store, const char16_t* entry, std::u16string_view baseFolder) {
  if (!store) return;
  InfoBase::save(store, entry, baseFolder);
  for (int field = 0; field < kTagCount; ++field) {
    const Tag& tag = this->tag(field);
    if (tag.text.isEmpty()) continue;
    store->setString(entry, TagFields::key(field), tag.text.c_str());
    store->setBytes(entry, key(field, kBytes), &tag.bytes);
    if (tag.used) {
      store->setS32(entry, key(field, kCodePage),
                    static_cast<int32_t>(tag.used->getNumber()));
      store->setString(entry, key(field, kCodePageName), tag.used->getName().c_str());
    }
  }
}

void Info::restore(map::IMappedData* store, const char16_t* entry, std::u16string_view baseFolder,
                   std::u16string_view secondBase) {
  if (!store) return;
  InfoBase::restore(store, entry, baseFolder, secondBase);
  for (int field = 0; field < kTagCount; ++field) {
    // A tag the entry says nothing of is not made.
    Tag* tag = tags_[static_cast<std::size_t>(field)].get();
    const char16_t* text = store->getString(entry, TagFields::key(field), u"");
    if (tag || *text) {
      tag = &tagToWrite(field);
      tag->text.assign(text);
    }
    if (tag || store->hasValue(entry, key(field, kBytes))) {
      tag = &tagToWrite(field);
      store->getBytes(entry, key(field, kBytes), &tag->bytes);
    }
    const bool forced = store->getBool(entry, key(field, kCodePageForced), false);
    if (tag || forced) {
      tag = &tagToWrite(field);
      tag->forced = forced;
    }
    const CodePage* codePage = CodePageList::byName(
        store->getString(entry, key(field, kCodePageName), u""));
    if (!codePage) {
      int32_t number = store->getS32(entry, key(field, kCodePage), -1);
      if (number >= 0) codePage = CodePageList::byNumber(static_cast<uint32_t>(number));
    }
    if (codePage) {
      tag = &tagToWrite(field);
      tag->chosen = codePage;
      tag->used = codePage;
    }
  }
}

}  // namespace s::sound::mp3::win
