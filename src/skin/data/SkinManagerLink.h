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
  // Installs the CBT hook for the calling (GUI) thread; once per manager.
  virtual void InstallHook() = 0;

  // Notices of a component; the manager decides what follows.
  // Skinning with the component was switched on or off (carried out 250 ms later).
  virtual void SkinSwitched(TSkinData* data, bool on) = 0;
  // A component finished loading: an active main-form component with a skin switches skinning
  // on 250 ms later, a component of one form or of the dialogs at once.
  virtual void ComponentLoaded(TSkinData* data) = 0;
  // The component holds a new skin: the frames bound to it re-read it, and every window is
  // brought up to date 250 ms later.
  virtual void SkinChanged(TSkinData* data) = 0;
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
