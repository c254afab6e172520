#include "ui/TypInfo.h"

#include <cwchar>
#include <cwctype>

#include "ui/SysUtils.h"

namespace ui {
namespace {

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && std::iswspace(s.front())) s.remove_prefix(1);
  while (!s.empty() && std::iswspace(s.back())) s.remove_suffix(1);
  return s;
}

// Whole-text decimal integer, with an optional sign; "$" or "0x" for hexadecimal.
bool ParseInt(std::wstring_view text, int& value) {
  text = Trim(text);
  if (text.empty()) return false;
  std::wstring s(text);
  int base = 10;
  size_t start = (s[0] == L'-' || s[0] == L'+') ? 1 : 0;
  if (s.compare(start, 1, L"$") == 0) {
    s.erase(start, 1);
    base = 16;
  } else if (s.size() > start + 1 && s[start] == L'0' && (s[start + 1] == L'x' || s[start + 1] == L'X')) {
    s.erase(start, 2);
    base = 16;
  }
  if (s.size() <= start) return false;
  wchar_t* end = nullptr;
  long long v = std::wcstoll(s.c_str(), &end, base);
  if (*end != L'\0') return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

TEnumInfo::TEnumInfo(std::wstring name, std::initializer_list<const wchar_t*> identifiers)
    : name_(std::move(name)), identifiers_(identifiers.begin(), identifiers.end()) {}

std::wstring TEnumInfo::Identifier(int value) const {
  return value >= 0 && value < Count() ? identifiers_[static_cast<size_t>(value)] : std::wstring();
}

int TEnumInfo::ValueOf(std::wstring_view identifier) const {
  identifier = Trim(identifier);
  for (int i = 0; i < Count(); ++i)
    if (SameText(identifiers_[static_cast<size_t>(i)], identifier)) return i;
  return -1;
}

std::wstring TEnumInfo::SetToText(int bits) const {
  std::wstring text;
  for (int i = 0; i < Count() && i < 32; ++i) {
    if (bits & (1 << i)) {
      if (!text.empty()) text += L',';
      text += identifiers_[static_cast<size_t>(i)];
    }
  }
  return text;
}

int TEnumInfo::TextToSet(std::wstring_view text) const {
  text = Trim(text);
  if (!text.empty() && text.front() == L'[') text.remove_prefix(1);
  if (!text.empty() && text.back() == L']') text.remove_suffix(1);
  int bits = 0;
  while (!Trim(text).empty()) {
    size_t comma = text.find(L',');
    int v = ValueOf(text.substr(0, comma));
    if (v < 0) return -1;
    bits |= 1 << v;
    text = comma == std::wstring_view::npos ? std::wstring_view() : text.substr(comma + 1);
  }
  return bits;
}

const TEnumInfo& BooleanIdents() {
  static const TEnumInfo info(L"Boolean", {L"False", L"True"});
  return info;
}

TClassInfo::TClassInfo(std::wstring name, const TClassInfo* parent)
    : name_(std::move(name)), parent_(parent) {}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c == &other) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProp(std::wstring_view name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const TPropInfo& p : c->props_)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

TClassInfo& TClassInfo::Add(TPropInfo p) {
  props_.push_back(std::move(p));
  return *this;
}

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info(L"TObject", nullptr);
  return info;
}

const TPropInfo* GetPropInfo(const TObject* obj, std::wstring_view name) {
  return obj ? obj->ClassType().FindProp(name) : nullptr;
}

bool IsPublishedProp(const TObject* obj, std::wstring_view name) {
  return GetPropInfo(obj, name) != nullptr;
}

int GetIntProp(const TObject* obj, std::wstring_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TPropKind::Integer || !p->GetOrd) return -1;
  return p->GetOrd(*obj);
}

std::wstring GetEnumPropText(const TObject* obj, std::wstring_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || !p->GetOrd) return {};
  if (p->Kind == TPropKind::Enumeration) return p->Enum->Identifier(p->GetOrd(*obj));
  if (p->Kind == TPropKind::Set) return p->Enum->SetToText(p->GetOrd(*obj));
  return {};
}

std::wstring GetTextProp(const TObject* obj, std::wstring_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TPropKind::String || !p->GetStr) return {};
  return p->GetStr(*obj);
}

TObject* GetObjectPropByName(const TObject* obj, std::wstring_view name, const TClassInfo& cls) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TPropKind::Object || !p->GetObj) return nullptr;
  TObject* value = p->GetObj(*obj);
  return value && value->InheritsFrom(cls) ? value : nullptr;
}

bool SetPropText(TObject* obj, std::wstring_view name, const std::wstring& text) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p) return false;
  switch (p->Kind) {
    case TPropKind::String:
      if (!p->SetStr) return false;
      p->SetStr(*obj, text);
      return true;
    case TPropKind::Integer: {
      int v = 0;
      if (!p->SetOrd || !ParseInt(text, v)) return false;
      p->SetOrd(*obj, v);
      return true;
    }
    case TPropKind::Enumeration: {
      int v = p->Enum->ValueOf(text);
      if (!p->SetOrd || v < 0) return false;
      p->SetOrd(*obj, v);
      return true;
    }
    case TPropKind::Set: {
      int v = p->Enum->TextToSet(text);
      if (!p->SetOrd || v < 0) return false;
      p->SetOrd(*obj, v);
      return true;
    }
    case TPropKind::Object:
      return false;
  }
  return false;
}

bool SetOrdProp(TObject* obj, std::wstring_view name, int value) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || !p->SetOrd || p->Kind == TPropKind::String || p->Kind == TPropKind::Object) return false;
  p->SetOrd(*obj, value);
  return true;
}

}  // namespace ui
