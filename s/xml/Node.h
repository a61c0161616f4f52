#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "s/xml/Attributes.h"
#include "s/xml/IXml.h"

namespace s::xml {

struct ReadContext;

// The element of the program's XML dialect (see IXml). Nodes come from a pool of 1000 idle
// nodes; a released node gives its children back too.
class Node final : public IXml {
 public:
  static Node* create();
  Node() = default;
  ~Node() override;
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  const char16_t* typeName() const override { return u"s_xml_Node"; }
  base::IObject* newInstance() const override { return create(); }
  void release() override;
  void reset() override { clear(); }

  std::int32_t childCount() const override { return static_cast<std::int32_t>(children_.size()); }
  void clear() override;
  void dumpTree(std::int32_t indent, str::strbuffer::StrBuffer* out = nullptr) const override;
  const char16_t* parse(const char16_t* text) override;
  // Reads one element from [text, end); the bounded form every reader path uses.
  const char16_t* parse(const char16_t* text, const char16_t* end);
  void parseBytes(const col::_array::ArrayU08* bytes) override;
  // `context` (optional): see ReadContext.
  void parseUtf8(std::string_view bytes, ReadContext* context = nullptr);
  const char16_t* getName() const override { return name_ ? name_ : u""; }
  std::u16string_view nameView() const { return {getName(), static_cast<std::size_t>(nameLength_)}; }
  void setName(const char16_t* text, std::int32_t length = -1) override;
  bool nameEquals(const char16_t* text, std::int32_t count = -1) const override;
  bool isComment() const override { return name_ && nameLength_ > 0 && name_[0] == u'!'; }
  Node* childAt(std::int32_t index) const override;
  Node* addChild(const char16_t* name, std::int32_t length = -1) override;
  Node* appendChild(IXml* node) override;
  void removeChild(std::int32_t index) override;
  bool findChild(const char16_t* name, std::int32_t* outIndex,
                 std::int32_t count = -1) const override;
  Node* getChild(const char16_t* name, std::int32_t count = -1) const override;

  void addAttrU64(const char16_t* name, std::uint64_t value) override;
  void addAttrU32(const char16_t* name, std::uint32_t value) override;
  void addAttrU16(const char16_t* name, std::uint16_t value) override;
  void addAttrU08(const char16_t* name, std::uint8_t value) override;
  void addAttrS64(const char16_t* name, std::int64_t value) override;
  void addAttrS32(const char16_t* name, std::int32_t value) override;
  void addAttrS16(const char16_t* name, std::int16_t value) override;
  void addAttrS08(const char16_t* name, std::int8_t value) override;
  void addAttrF32(const char16_t* name, float value) override;
  void addAttrF64(const char16_t* name, double value) override;
  void addAttrText(const char16_t* name, const char16_t* text) override;
  void addAttrHexS64(const char16_t* name, const std::int64_t* values, std::int32_t count) override;
  void addAttrHexS32(const char16_t* name, const std::int32_t* values, std::int32_t count) override;
  void addAttrHexS16(const char16_t* name, const std::int16_t* values, std::int32_t count) override;
  void addAttrHexS08(const char16_t* name, const std::int8_t* values, std::int32_t count) override;
  void addAttrHexU64(const char16_t* name, const std::uint64_t* values, std::int32_t count) override;
  void addAttrHexU32(const char16_t* name, const std::uint32_t* values, std::int32_t count) override;
  void addAttrHexU16(const char16_t* name, const std::uint16_t* values, std::int32_t count) override;
  void addAttrHexU08(const char16_t* name, const std::uint8_t* values, std::int32_t count) override;
  void addAttrHexF32(const char16_t* name, const float* values, std::int32_t count) override;
  void addAttrHexF64(const char16_t* name, const double* values, std::int32_t count) override;

  const char16_t* getAttrText(const char16_t* name, const char16_t* def) const override;
  bool getAttrBool(const char16_t* name, bool def) const override;
  std::int8_t getAttrS08(const char16_t* name, std::int8_t def) const override;
  std::int16_t getAttrS16(const char16_t* name, std::int16_t def) const override;
  std::int32_t getAttrS32(const char16_t* name, std::int32_t def) const override;
  std::int64_t getAttrS64(const char16_t* name, std::int64_t def) const override;
  std::uint8_t getAttrU08(const char16_t* name, std::uint8_t def) const override;
  std::uint16_t getAttrU16(const char16_t* name, std::uint16_t def) const override;
  std::uint32_t getAttrU32(const char16_t* name, std::uint32_t def) const override;
  std::uint64_t getAttrU64(const char16_t* name, std::uint64_t def) const override;
  str::strbuffer::StrBuffer* getAttrDecoded(str::strbuffer::StrBuffer* buffer,
                                            const char16_t* name, const char16_t* def,
                                            bool append = false) const override;
  // The decoded value appended to `out`; false (and nothing appended) when absent.
  bool decodeAttr(std::u16string& out, std::u16string_view name) const;
  str::strbuffer::StrBuffer* write(str::strbuffer::StrBuffer* buffer = nullptr,
                                   bool append = false) const override;
  // The serialised subtree appended to `out`.
  void writeTo(std::u16string& out) const;
  // The serialised subtree appended to `out` as UTF-8.
  void writeUtf8To(std::string& out) const;
  col::_array::ArrayU08* writeUtf8(col::_array::ArrayU08* bytes = nullptr,
                                   bool append = false) const override;
  Attributes* attributes() override { return &attributes_; }
  const Attributes* attributes() const { return &attributes_; }
  bool loadFile(const char16_t* path) override;
  bool load(file::FileInputStream* file) override { return load(file, nullptr); }
  // As load(file), with a context for the reader (see ReadContext); a file that could not be
  // read to its end counts as incomplete.
  bool load(file::FileInputStream* file, ReadContext* context);
  bool saveFile(const char16_t* path) const override;
  bool save(file::FileOutputStream* file) const override;

  // Appends an attribute whose value is stored as given (already escaped).
  void addAttrRaw(std::u16string_view name, std::u16string_view stored) {
    attributes_.append(name, stored);
  }

 private:
  // writeTo, or with `utf8` the same text converted to it piece by piece.
  void writeTree(std::u16string& out, std::string* utf8) const;
  template <typename T>
  void addHex(const char16_t* name, const T* values, std::int32_t count, int digits);
  const AttrRecord* find(const char16_t* name) const;

  char16_t* name_ = nullptr;
  std::int32_t nameLength_ = 0;
  Attributes attributes_;
  std::vector<Node*> children_;
};

}  // namespace s::xml
