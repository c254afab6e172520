// Run-time class information and published properties.
//
// Every class of the library registers its published properties once, by name, with typed
// getters and setters. Code that must serve any control class (the skinners) reads and writes
// properties through the accessors at the bottom, never through the control's C++ class.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class TObject;

enum class TPropKind { Integer, Enumeration, Set, String, Object };

// The identifiers of an enumeration, in value order; a set property of the same type holds
// bit 1 << value for each member.
class TEnumInfo {
 public:
  TEnumInfo(std::wstring name, std::initializer_list<const wchar_t*> identifiers);
  const std::wstring& Name() const { return name_; }
  int Count() const { return static_cast<int>(identifiers_.size()); }
  // Empty when out of range.
  std::wstring Identifier(int value) const;
  // -1 when unknown; identifiers compare without regard to letter case.
  int ValueOf(std::wstring_view identifier) const;
  std::wstring SetToText(int bits) const;
  // -1 when any member is unknown. Accepts "a,b", "[a, b]" and "[]".
  int TextToSet(std::wstring_view text) const;

 private:
  std::wstring name_;
  std::vector<std::wstring> identifiers_;
};

// "False" and "True", the identifiers of Boolean properties.
const TEnumInfo& BooleanIdents();

class TClassInfo;

struct TPropInfo {
  std::wstring Name;
  TPropKind Kind = TPropKind::Integer;
  const TEnumInfo* Enum = nullptr;          // enumerations and sets
  const TClassInfo* ObjectClass = nullptr;  // object properties: declared class
  std::function<int(const TObject&)> GetOrd;
  std::function<void(TObject&, int)> SetOrd;
  std::function<std::wstring(const TObject&)> GetStr;
  std::function<void(TObject&, const std::wstring&)> SetStr;
  std::function<TObject*(const TObject&)> GetObj;
};

class TClassInfo {
 public:
  TClassInfo(std::wstring name, const TClassInfo* parent);
  const std::wstring& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const;
  // Own properties first, then the ancestors'; names compare without regard to letter case.
  const TPropInfo* FindProp(std::wstring_view name) const;
  const std::vector<TPropInfo>& OwnProps() const { return props_; }

  // Registration. Setters may be left out for read-only properties.
  template <class C, class R>
  TClassInfo& Int(std::wstring name, R (C::*get)() const, void (C::*set)(R) = nullptr) {
    TPropInfo p = NewProp(std::move(name), TPropKind::Integer);
    BindOrd<C, R, R>(p, get, set);
    return Add(std::move(p));
  }
  template <class C, class R, class A>
  TClassInfo& Enum(std::wstring name, const TEnumInfo& info, R (C::*get)() const, void (C::*set)(A)) {
    TPropInfo p = NewProp(std::move(name), TPropKind::Enumeration, &info);
    BindOrd<C, R, A>(p, get, set);
    return Add(std::move(p));
  }
  template <class C>
  TClassInfo& Bool(std::wstring name, bool (C::*get)() const, void (C::*set)(bool) = nullptr) {
    return Enum(std::move(name), BooleanIdents(), get, set);
  }
  template <class C, class R, class A>
  TClassInfo& Set(std::wstring name, const TEnumInfo& info, R (C::*get)() const, void (C::*set)(A)) {
    TPropInfo p = NewProp(std::move(name), TPropKind::Set, &info);
    BindOrd<C, R, A>(p, get, set);
    return Add(std::move(p));
  }
  template <class C, class R, class A>
  TClassInfo& Str(std::wstring name, R (C::*get)() const, void (C::*set)(A)) {
    TPropInfo p = NewProp(std::move(name), TPropKind::String);
    p.GetStr = [get](const TObject& o) { return std::wstring((static_cast<const C&>(o).*get)()); };
    if (set) p.SetStr = [set](TObject& o, const std::wstring& v) { (static_cast<C&>(o).*set)(v); };
    return Add(std::move(p));
  }
  template <class C, class R>
  TClassInfo& Str(std::wstring name, R (C::*get)() const) {
    return Str(std::move(name), get, static_cast<void (C::*)(const std::wstring&)>(nullptr));
  }
  template <class C, class O>
  TClassInfo& Obj(std::wstring name, O* (C::*get)() const) {
    TPropInfo p = NewProp(std::move(name), TPropKind::Object);
    p.ObjectClass = &O::StaticClass();
    p.GetObj = [get](const TObject& o) -> TObject* { return (static_cast<const C&>(o).*get)(); };
    return Add(std::move(p));
  }

 private:
  template <class C, class R, class A, class G, class S>
  static void BindOrd(TPropInfo& p, G get, S set) {
    p.GetOrd = [get](const TObject& o) { return static_cast<int>((static_cast<const C&>(o).*get)()); };
    if (set) {
      p.SetOrd = [set](TObject& o, int v) {
        (static_cast<C&>(o).*set)(static_cast<std::decay_t<A>>(v));
      };
    }
  }
  TClassInfo& Add(TPropInfo p);
  static TPropInfo NewProp(std::wstring name, TPropKind kind, const TEnumInfo* info = nullptr) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Kind = kind;
    p.Enum = info;
    return p;
  }

  std::wstring name_;
  const TClassInfo* parent_;
  std::vector<TPropInfo> props_;
};

// The root of the library's classes: run-time class information for everything that
// publishes properties.
class TObject {
 public:
  virtual ~TObject() = default;
  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const { return StaticClass(); }
  const std::wstring& ClassName() const { return ClassType().Name(); }
  bool InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }
};

// Declares the class information of a class derived from TObject.
#define UI_CLASS_INFO                                   \
 public:                                                \
  static const ::ui::TClassInfo& StaticClass();         \
  const ::ui::TClassInfo& ClassType() const override { return StaticClass(); }

// Published-property accessors. Each tolerates a missing object or property:
const TPropInfo* GetPropInfo(const TObject* obj, std::wstring_view name);
bool IsPublishedProp(const TObject* obj, std::wstring_view name);
// The value of an integer property; -1 when the property is missing or not an integer.
int GetIntProp(const TObject* obj, std::wstring_view name);
// An enumeration or set value as its identifier text; empty when missing.
std::wstring GetEnumPropText(const TObject* obj, std::wstring_view name);
// A string property; empty when missing or not a string.
std::wstring GetTextProp(const TObject* obj, std::wstring_view name);
// An object property that inherits from cls; nothing otherwise.
TObject* GetObjectPropByName(const TObject* obj, std::wstring_view name, const TClassInfo& cls);
template <class T>
T* GetObjectProp(const TObject* obj, std::wstring_view name) {
  return static_cast<T*>(GetObjectPropByName(obj, name, T::StaticClass()));
}
// Integers through integer conversion, enumerations and sets by identifier, strings directly.
// Answers whether the property was set; nothing is raised.
bool SetPropText(TObject* obj, std::wstring_view name, const std::wstring& text);
// Ordinal properties (integers, enumerations, sets) by value.
bool SetOrdProp(TObject* obj, std::wstring_view name, int value);

}  // namespace ui
