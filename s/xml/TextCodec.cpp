#include "s/xml/TextCodec.h"

namespace s::xml {

namespace {

bool startsWith(std::u16string_view text, std::size_t at, std::u16string_view entity) {
  return text.size() - at >= entity.size() && text.compare(at, entity.size(), entity) == 0;
}

bool isLeadingSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool isTrailingSpace(char16_t c) {
  return c == u' ' || c == u'\n' || c == u'\u3000' || c == u'\t' || c == u'\r';
}

}  // namespace

void escapeInto(std::u16string& out, std::u16string_view text, TextContext context) {
  bool inText = context == TextContext::Text;
  out.reserve(out.size() + text.size());
  for (char16_t c : text) {
    switch (c) {
      case u'\n': out += u"&#10;"; break;
      case u'\r': out += u"&#13;"; break;
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'"':
        if (inText) out += c; else out += u"&quot;";
        break;
      case u'>':
        if (inText) out += u"&gt;"; else out += c;
        break;
      case u' ':
        if (inText) out += u"&#160;"; else out += c;
        break;
      default: out += c;
    }
  }
}

void decodeInto(std::u16string& out, std::u16string_view stored, TextContext context) {
  struct Entity {
    std::u16string_view form;
    char16_t value;
    bool keeps;  // protects itself and everything before it from the trailing trim
  };
  static constexpr Entity kAttribute[] = {{u"&amp;", u'&', false},   {u"&lt;", u'<', false},
                                          {u"&quot;", u'"', false},  {u"&#13;", u'\r', false},
                                          {u"&#10;", u'\n', false}};
  static constexpr Entity kText[] = {{u"&amp;", u'&', false},  {u"&lt;", u'<', false},
                                     {u"&gt;", u'>', false},   {u"&#160;", u' ', true},
                                     {u"&#13;", u'\r', true},  {u"&#10;", u'\n', true}};
  bool inText = context == TextContext::Text;
  std::size_t i = 0;
  if (inText)
    while (i < stored.size() && isLeadingSpace(stored[i])) ++i;
  std::size_t kept = out.size();  // the trim never reaches into what was there before
  out.reserve(out.size() + stored.size() - i);
  while (i < stored.size()) {
    char16_t c = stored[i];
    if (c == u'&') {
      const Entity* match = nullptr;
      if (inText) {
        for (const Entity& e : kText)
          if (startsWith(stored, i, e.form)) match = &e;
      } else {
        for (const Entity& e : kAttribute)
          if (startsWith(stored, i, e.form)) match = &e;
      }
      if (match) {
        out += match->value;
        if (match->keeps) kept = out.size();
        i += match->form.size();
        continue;
      }
    }
    out += c;
    ++i;
  }
  if (inText)
    while (out.size() > kept && isTrailingSpace(out.back())) out.pop_back();
}

}  // namespace s::xml
