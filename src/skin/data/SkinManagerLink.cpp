#include "skin/data/SkinManagerLink.h"

namespace skin {

namespace {

TSkinManagerFactory g_factory = nullptr;
// A plain pointer, so that it stays readable (as none) after the holder below has gone.
TSkinManagerLink* g_manager = nullptr;

// Destroys the manager when the process ends.
struct TManagerHolder {
  ~TManagerHolder() { DestroySkinManager(); }
} g_holder;

}  // namespace

void SetSkinManagerFactory(TSkinManagerFactory factory) { g_factory = factory; }

TSkinManagerLink* SkinManager() { return g_manager; }

TSkinManagerLink* EnsureSkinManager() {
  if (!g_manager && g_factory) g_manager = g_factory().release();
  return g_manager;
}

void DestroySkinManager() {
  TSkinManagerLink* manager = g_manager;
  g_manager = nullptr;
  delete manager;
}

}  // namespace skin
