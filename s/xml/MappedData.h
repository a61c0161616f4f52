#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "s/map/IMappedData.h"

namespace s::xml {

class Node;
struct ReadContext;

// The settings store over an XML document written to a file: one element per path component,
// each value an attribute of the element its path selects (the empty value name is the
// element's text). Paths are split at "/" and "\"; each component names a child exactly, case
// included. flush() writes the whole document to the store's file.
class MappedData : public map::IMappedData {
 public:
  MappedData() = default;
  ~MappedData() override;
  MappedData(const MappedData&) = delete;
  MappedData& operator=(const MappedData&) = delete;

  // What open() found in its file when asked to load it.
  enum class LoadState {
    kNotLoaded,   // not asked to load
    kNoFile,      // nothing at the path
    kEmpty,       // an empty file (or white space only)
    kRead,        // a whole document
    kDamaged,     // the document ends before its elements do, or holds no element
    kUnreadable,  // a folder, no permission, a read error
  };

  // Attaches the file and, when `load` is true and the file has a document, makes its root
  // element the store's root; otherwise the root is a fresh element named `rootName`.
  // `context` (optional) is handed to the reader: elements its taker uses up while the file is
  // read are not in the store's tree.
  void open(const char16_t* filePath, const char16_t* rootName, bool load,
            ReadContext* context = nullptr);
  // Reads and writes the values of `element` and the elements below it, which stay the
  // caller's: one entry of a document handled on its own. No file.
  void view(Node* element);
  Node* root() const { return root_; }
  const std::u16string& filePath() const { return file_; }
  LoadState loadState() const { return loadState_; }
  // Why the file could not be read (English, from the system), for kUnreadable.
  const std::string& loadError() const { return loadError_; }
  // For kDamaged: the innermost element the file broke off in (it and the elements around it
  // may be missing parts; every other element is whole), or null.
  const Node* cutElement() const { return cut_; }

  const char16_t* typeName() const override { return u"s_xml_MappedData"; }
  base::IObject* newInstance() const override;
  void release() override;
  // Gives the document back and forgets the file.
  void reset() override;

  void flush() override;
  bool openPath(const char16_t* path) override;
  void removePath(const char16_t* path) override;
  bool selectPath(const char16_t* path) override;
  bool hasValue(const char16_t* path, const char16_t* name) override;

  std::uint8_t getU08(const char16_t* path, const char16_t* name, std::uint8_t def) override;
  std::uint16_t getU16(const char16_t* path, const char16_t* name, std::uint16_t def) override;
  std::uint32_t getU32(const char16_t* path, const char16_t* name, std::uint32_t def) override;
  std::uint64_t getU64(const char16_t* path, const char16_t* name, std::uint64_t def) override;
  std::int8_t getS08(const char16_t* path, const char16_t* name, std::int8_t def) override;
  std::int16_t getS16(const char16_t* path, const char16_t* name, std::int16_t def) override;
  std::int32_t getS32(const char16_t* path, const char16_t* name, std::int32_t def) override;
  std::int64_t getS64(const char16_t* path, const char16_t* name, std::int64_t def) override;
  float getF32(const char16_t* path, const char16_t* name, float def) override;
  double getF64(const char16_t* path, const char16_t* name, double def) override;
  bool getBool(const char16_t* path, const char16_t* name, bool def) override;
  const char16_t* getString(const char16_t* path, const char16_t* name, const char16_t* def,
                            bool* outExpandable = nullptr, bool expand = false) override;
  str::strarray::StrArray* getStrings(const char16_t*, const char16_t*,
                                      str::strarray::StrArray*) override {
    return nullptr;
  }
  col::_array::ArrayU08* getBytes(const char16_t* path, const char16_t* name,
                                  col::_array::ArrayU08* array) override;
  void removeValue(const char16_t* path, const char16_t* name) override;

  void setU08(const char16_t* path, const char16_t* name, std::uint8_t value) override;
  void setU16(const char16_t* path, const char16_t* name, std::uint16_t value) override;
  void setU32(const char16_t* path, const char16_t* name, std::uint32_t value) override;
  void setU64(const char16_t* path, const char16_t* name, std::uint64_t value) override;
  void setS08(const char16_t* path, const char16_t* name, std::int8_t value) override;
  void setS16(const char16_t* path, const char16_t* name, std::int16_t value) override;
  void setS32(const char16_t* path, const char16_t* name, std::int32_t value) override;
  void setS64(const char16_t* path, const char16_t* name, std::int64_t value) override;
  void setF32(const char16_t* path, const char16_t* name, float value) override;
  void setF64(const char16_t* path, const char16_t* name, double value) override;
  void setBool(const char16_t* path, const char16_t* name, bool value) override;
  void setString(const char16_t* path, const char16_t* name, const char16_t* value) override;
  void setExpandString(const char16_t* path, const char16_t* name,
                       const char16_t* value) override {
    setString(path, name, value);
  }
  void setStrings(const char16_t*, const char16_t*, const str::strarray::StrArray*) override {
    changed();
  }
  void setBytes(const char16_t* path, const char16_t* name,
                const col::_array::ArrayU08* bytes) override;

  bool isAutoFlush() const override { return autoFlush_; }
  void setAutoFlush(bool flag) override { autoFlush_ = flag; }

 private:
  void readFile(ReadContext* context);
  // The element at `path`, creating missing ones when `create`; null when missing.
  Node* walk(std::u16string_view path, bool create);
  Node* childNamed(Node* parent, std::u16string_view name);
  void remember(std::u16string_view path, Node* node);
  void forgetIndex();
  // The element to write to, with the first attribute named `name` removed.
  Node* prepareWrite(const char16_t* path, const char16_t* name);
  void changed() {
    if (autoFlush_) flush();
  }

  Node* root_ = nullptr;
  std::u16string file_;
  LoadState loadState_ = LoadState::kNotLoaded;
  std::string loadError_;
  const Node* cut_ = nullptr;
  bool ownsRoot_ = true;
  bool autoFlush_ = false;
  std::u16string lastPath_;
  Node* current_ = nullptr;  // the element of lastPath_, or null
  std::u16string scratch_;
  std::u16string hexScratch_;  // getBytes' text; scratch_ may still be the caller's

  // Children by exact name for elements with many children, so that filling a document with
  // thousands of siblings stays linear. Each entry remembers the child count it was built for
  // and is rebuilt when the element changed behind the store's back.
  struct ChildIndex {
    std::size_t builtForCount = 0;
    std::unordered_map<std::u16string, Node*> byName;
  };
  std::unordered_map<const Node*, ChildIndex> index_;
};

// Takes a store from the pool and opens it on `filePath` (see MappedData::open). Give it back
// with release(), which drops the document.
MappedData* openXmlStore(const char16_t* filePath, const char16_t* rootName, bool load,
                         ReadContext* context = nullptr);

}  // namespace s::xml
