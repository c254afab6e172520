#include "app/RegExp.h"

#include "app/PatternSyntax.h"
#include "ui/SysUtils.h"

namespace app {
namespace {

const CLSID kRegExpClass = {0x3F4DACA4, 0x160D, 0x11D2, {0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F}};

template <class T>
ui::TComPtr<T> Query(IUnknown* from) {
  ui::TComPtr<T> to;
  if (from) ui::OleCheck(from->QueryInterface(__uuidof(T), to.PutVoid()));
  return to;
}

std::wstring VariantText(VARIANT& v) {
  if (v.vt == VT_BSTR && v.bstrVal) return std::wstring(v.bstrVal, SysStringLen(v.bstrVal));
  if (v.vt == VT_EMPTY || v.vt == VT_NULL) return {};
  VARIANT text;
  VariantInit(&text);
  std::wstring out;
  if (SUCCEEDED(VariantChangeType(&text, &v, 0, VT_BSTR)) && text.bstrVal)
    out.assign(text.bstrVal, SysStringLen(text.bstrVal));
  VariantClear(&text);
  return out;
}

// Whether a failed Execute is the engine refusing the pattern: its regular-expression errors,
// and the general failure (E_FAIL) that some engines give for any pattern they cannot read.
bool RefusesPattern(HRESULT hr) {
  unsigned long code = static_cast<unsigned long>(hr);
  return code == static_cast<unsigned long>(E_FAIL) || (code >= 0x800A1390 && code <= 0x800A13A0);
}

std::wstring WithoutFullStop(std::wstring text) {
  while (!text.empty() && (text.back() == L'.' || text.back() == L'。' || text.back() == L' ')) text.pop_back();
  return text;
}

}  // namespace

ERegExpError::ERegExpError(const std::wstring& pattern, std::wstring reason)
    : ui::Exception(L"正则表达式无效：" + reason + L"。表达式：" + pattern), reason_(std::move(reason)) {}

const ui::TClassInfo& TRegExp::StaticClass() {
  static const ui::TClassInfo info(L"TRegExp", &ui::TComponent::StaticClass());
  return info;
}

TRegExp::TRegExp(ui::TComponent* owner) : TComponent(owner) {}

IRegExp2* TRegExp::Engine() {
  if (!engine_) {
    ui::TComPtr<IUnknown> running;
    if (SUCCEEDED(GetActiveObject(kRegExpClass, nullptr, running.Put())) && running) {
      engine_ = Query<IRegExp2>(running.Get());
    } else {
      ui::OleCheck(CoCreateInstance(kRegExpClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                    __uuidof(IRegExp2), engine_.PutVoid()));
    }
  }
  return engine_.Get();
}

void TRegExp::SetGlobal(bool value) { ui::OleCheck(Engine()->put_Global(value ? VARIANT_TRUE : VARIANT_FALSE)); }

void TRegExp::SetIgnoreCase(bool value) {
  ui::OleCheck(Engine()->put_IgnoreCase(value ? VARIANT_TRUE : VARIANT_FALSE));
}

void TRegExp::SetPattern(const std::wstring& pattern) {
  IDispatch* engine = Engine();
  wchar_t name[] = L"Pattern";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  ui::OleCheck(engine->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  ui::TBStr value(pattern);
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_BSTR;
  arg.bstrVal = value.Get();
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{&arg, &put, 1, 1};
  EXCEPINFO error{};
  HRESULT hr = engine->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, &error, nullptr);
  if (hr == DISP_E_EXCEPTION && error.bstrDescription) {
    std::wstring text(error.bstrDescription, SysStringLen(error.bstrDescription));
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrHelpFile);
    throw ui::Exception(text);
  }
  ui::OleCheck(hr);
  pattern_ = pattern;
}

std::vector<TRegExpMatch> TRegExp::Execute(const std::wstring& text) {
  std::vector<TRegExpMatch> result;
  Execute(text, [&](const TRegExpMatch& m) { result.push_back(m); });
  return result;
}

void TRegExp::Execute(const std::wstring& text, const std::function<void(const TRegExpMatch&)>& each) {
  ui::TBStr source(text);
  ui::TComPtr<IDispatch> found;
  if (HRESULT hr = Engine()->Execute(source.Get(), found.Put()); FAILED(hr)) {
    if (!RefusesPattern(hr)) ui::OleCheck(hr);
    // The engine's own fault, unless reading the pattern finds a more precise one.
    using workflow::PatternFault;
    PatternFault fault = workflow::EngineErrorFault(static_cast<unsigned long>(hr));
    if (fault == PatternFault::None || fault == PatternFault::Syntax)
      if (PatternFault read = workflow::FindPatternFault(pattern_); read != PatternFault::None) fault = read;
    std::wstring reason = fault != PatternFault::None ? workflow::PatternFaultText(fault) : ui::OleErrorText(hr);
    throw ERegExpError(pattern_, WithoutFullStop(reason));
  }
  auto matches = Query<IMatchCollection2>(found.Get());
  LONG count = 0;
  ui::OleCheck(matches->get_Count(&count));
  for (LONG i = 0; i < count; ++i) {
    ui::TComPtr<IDispatch> item;
    ui::OleCheck(matches->get_Item(i, item.Put()));
    auto match = Query<IMatch2>(item.Get());
    ui::TComPtr<IDispatch> groups;
    ui::OleCheck(match->get_SubMatches(groups.Put()));
    auto subMatches = Query<ISubMatches>(groups.Get());
    LONG n = 0;
    ui::OleCheck(subMatches->get_Count(&n));
    TRegExpMatch m;
    for (LONG k = 0; k < n; ++k) {
      VARIANT v;
      VariantInit(&v);
      ui::OleCheck(subMatches->get_Item(k, &v));
      m.SubMatches.push_back(VariantText(v));
      VariantClear(&v);
    }
    each(m);
  }
}

}  // namespace app
