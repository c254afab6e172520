// What the skin data component asks of the process's one skin manager. The manager itself
// lives with the frame skinners (skin/frame/SkinManage.h), above this layer; it registers a
// factory here, so the component can create it on first use without depending upwards.
#pragma once

#include <windows.h>

#include <memory>

namespace skin {

class TSkinData;

// Pending actions of the manager.
enum TSkinAction { saNone = 0, saActivate = 1, saDeactivate = 2, saSkinChanged = 3 };

// Manager states.
constexpr int kManagerCreated = 0;
constexpr int kManagerRunning = 1;
constexpr int kManagerClosing = 4;

class TSkinManagerLink {
 public:
  virtual ~TSkinManagerLink() = default;

  virtual void AddSkinData(TSkinData* data) = 0;
  virtual void RemoveSkinData(TSkinData* data) = 0;
  virtual TSkinData* MainSkinData() const = 0;
  // Installs the CBT hook for the calling (GUI) thread; once per manager.
  virtual void InstallHook() = 0;
  // Runs `action` after `interval` ms, or at once when the manager has not started yet.
  virtual void ScheduleAction(int action, int interval) = 0;
  virtual bool Active() const = 0;
  virtual void SetActive(bool value) = 0;
  virtual int ManagerState() const = 0;
  virtual void SetManagerState(int value) = 0;
  virtual TSkinData* PendingSkinData() const = 0;
  virtual void SetPendingSkinData(TSkinData* data) = 0;
  // Gives the window a frame skinner now; true when one was made.
  virtual bool AttachWindow(HWND window) = 0;
  // Every frame skinner bound to `data` re-reads its skin.
  virtual void ReloadSkin(TSkinData* data) = 0;
};

using TSkinManagerFactory = std::unique_ptr<TSkinManagerLink> (*)();

// Registered once by the manager's unit.
void SetSkinManagerFactory(TSkinManagerFactory factory);
// The manager, or none when it has not been made (or no factory is registered).
TSkinManagerLink* SkinManager();
// The manager, made on first use; none only when no factory is registered.
TSkinManagerLink* EnsureSkinManager();
// Destroys the manager (at the end of the process, and between tests).
void DestroySkinManager();

}  // namespace skin
