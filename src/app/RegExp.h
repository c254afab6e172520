// The regular-expression component: the scripting runtime's RegExp object (version 5.5)
// reached through COM. It connects on first use, to a running instance if there is one,
// else to a new one, and stays connected. Engine errors are raised with the engine's text; a
// pattern the engine refuses is raised as ERegExpError, which says what is wrong with it.
#pragma once

#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/ComObj.h"
#include "ui/Component.h"
#include "ui/SysUtils.h"

// The platform object's interfaces, as its type library declares them.
struct IRegExp2 : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Pattern(BSTR* pattern) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Pattern(BSTR pattern) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IgnoreCase(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_IgnoreCase(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Global(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Global(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Multiline(VARIANT_BOOL* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Multiline(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE Execute(BSTR source, IDispatch** matches) = 0;
  virtual HRESULT STDMETHODCALLTYPE Test(BSTR source, VARIANT_BOOL* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE Replace(BSTR source, VARIANT replace, BSTR* result) = 0;
};
__CRT_UUID_DECL(IRegExp2, 0x3F4DACB0, 0x160D, 0x11D2, 0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F)


struct IMatch2 : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Value(BSTR* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FirstIndex(LONG* index) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Length(LONG* length) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SubMatches(IDispatch** subMatches) = 0;
};
__CRT_UUID_DECL(IMatch2, 0x3F4DACB1, 0x160D, 0x11D2, 0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F)


struct IMatchCollection2 : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Item(LONG index, IDispatch** match) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** enumerator) = 0;
};
__CRT_UUID_DECL(IMatchCollection2, 0x3F4DACB2, 0x160D, 0x11D2, 0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F)


struct ISubMatches : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Item(LONG index, VARIANT* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** enumerator) = 0;
};
__CRT_UUID_DECL(ISubMatches, 0x3F4DACB3, 0x160D, 0x11D2, 0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F)


namespace app {

// One match: its sub-match values in group order (a group that took no part is empty).
struct TRegExpMatch {
  std::vector<std::wstring> SubMatches;
};

// The engine refused the pattern. The message names the fault and the pattern:
// "正则表达式无效：缺少 )。表达式：url\((.*".
class ERegExpError : public ui::Exception {
 public:
  ERegExpError(const std::wstring& pattern, std::wstring reason);
  // What is wrong, without the pattern: the engine's error when it names one, else the fault
  // found by reading the pattern, else the engine's or the system's text.
  const std::wstring& Reason() const { return reason_; }

 private:
  std::wstring reason_;
};

class TRegExp : public ui::TComponent {
  UI_CLASS_INFO
 public:
  explicit TRegExp(ui::TComponent* owner);

  bool Connected() const { return static_cast<bool>(engine_); }
  void SetGlobal(bool value);
  // Written late-bound, by the property's name.
  void SetPattern(const std::wstring& pattern);
  void SetIgnoreCase(bool value);
  // Every match, left to right. The engine reads the pattern here: ERegExpError when it
  // refuses it.
  std::vector<TRegExpMatch> Execute(const std::wstring& text);
  // Hands each match to `each` as it is read, left to right; an engine error raised part way
  // leaves what `each` has seen.
  void Execute(const std::wstring& text, const std::function<void(const TRegExpMatch&)>& each);

 private:
  IRegExp2* Engine();
  ui::TComPtr<IRegExp2> engine_;
  std::wstring pattern_;  // as last set
};

}  // namespace app
