// Ownership: owners free what they own, last first; components leave their owner's list when
// freed alone; free notifications reach the components that asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Component.h"

namespace {

std::vector<std::wstring> g_log;

class Recorder : public ui::TComponent {
 public:
  Recorder(ui::TComponent* owner, const std::wstring& name) : TComponent(owner) { SetName(name); }
  ~Recorder() override { g_log.push_back(Name()); }
  std::vector<std::pair<std::wstring, ui::TOperation>> seen;

 protected:
  void Notification(ui::TComponent* c, ui::TOperation op) override { seen.emplace_back(c->Name(), op); }
};

}  // namespace

TEST(Component, OwnerFreesOwnedComponentsLastFirstAndNested) {
  g_log.clear();
  auto* owner = new Recorder(nullptr, L"owner");
  auto* a = new Recorder(owner, L"a");
  new Recorder(a, L"a.1");
  new Recorder(a, L"a.2");
  new Recorder(owner, L"b");
  new Recorder(owner, L"c");
  ASSERT_EQ(owner->ComponentCount(), 3);
  delete owner;
  EXPECT_EQ(g_log, (std::vector<std::wstring>{L"owner", L"c", L"b", L"a", L"a.2", L"a.1"}));
}

TEST(Component, FreedAloneLeavesOwnerListAndOwnerIsTold) {
  g_log.clear();
  Recorder owner(nullptr, L"owner");
  auto* a = new Recorder(&owner, L"a");
  auto* b = new Recorder(&owner, L"b");
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(owner.FindComponent(L"B"), b);
  EXPECT_EQ(owner.FindComponent(L"a"), nullptr);
  using Op = ui::TOperation;
  ASSERT_EQ(owner.seen.size(), 3u);  // names are given after insertion
  EXPECT_EQ(owner.seen[0].second, Op::opInsert);
  EXPECT_EQ(owner.seen[1].second, Op::opInsert);
  EXPECT_EQ(owner.seen[2], std::make_pair(std::wstring(L"a"), Op::opRemove));
}

TEST(Component, InsertComponentMovesOwnership) {
  g_log.clear();
  auto* first = new Recorder(nullptr, L"first");
  Recorder second(nullptr, L"second");
  auto* moved = new Recorder(first, L"moved");
  second.InsertComponent(moved);
  EXPECT_EQ(first->ComponentCount(), 0);
  EXPECT_EQ(moved->Owner(), &second);
  delete first;
  EXPECT_EQ(g_log, std::vector<std::wstring>{L"first"});
}

TEST(Component, FreeNotificationTellsTheOtherSideOnceAndBothWays) {
  Recorder watcher(nullptr, L"watcher");
  auto* watched = new Recorder(nullptr, L"watched");
  watcher.FreeNotification(watched);
  watcher.FreeNotification(watched);  // asking twice is telling once
  delete watched;
  ASSERT_EQ(watcher.seen.size(), 1u);
  EXPECT_EQ(watcher.seen[0].first, L"watched");
  EXPECT_EQ(watcher.seen[0].second, ui::TOperation::opRemove);

  // Once the watcher is gone, freeing the other one touches nothing that was freed.
  auto* other = new Recorder(nullptr, L"other");
  {
    Recorder shortLived(nullptr, L"short");
    shortLived.FreeNotification(other);
  }
  EXPECT_TRUE(other->seen.size() == 1 && other->seen[0].first == L"short");
  delete other;
}
