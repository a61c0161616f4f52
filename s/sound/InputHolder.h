#pragma once
#include "s/base/IObject.h"
#include "s/io/IInputStream.h"

namespace s::sound {

// The input stream of a source and whether the source owns it. An owned stream is given back to
// its pool (or deleted when it has none) when it is dropped.
class InputHolder final : public base::IObject {
 public:
  InputHolder() = default;
  ~InputHolder() override { drop(); }
  InputHolder(const InputHolder&) = delete;
  InputHolder& operator=(const InputHolder&) = delete;

  void attach(io::IInputStream* stream, bool own);
  void drop();
  io::IInputStream* get() const { return stream_; }
  io::IInputStream* operator->() const { return stream_; }
  explicit operator bool() const { return stream_ != nullptr; }

  const char16_t* typeName() const override { return u"s_sound_InputHolder"; }
  IObject* newInstance() const override { return new InputHolder; }

 private:
  io::IInputStream* stream_ = nullptr;
  bool own_ = false;
};

}  // namespace s::sound
