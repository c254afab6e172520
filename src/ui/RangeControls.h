// Controls that show or set a position within a range: scroll bars (the system's SCROLLBAR),
// progress bars, track bars and up-down arrows (the common controls). Positions are read from
// the window while there is one; OnChange follows each change made by the user.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/StdCtrls.h"

namespace ui {

enum TScrollBarKind { sbHorizontal, sbVertical };
const TEnumInfo& ScrollBarKindInfo();
enum TProgressBarOrientation { pbHorizontal, pbVertical };
const TEnumInfo& ProgressBarOrientationInfo();
enum TTrackBarOrientation { trHorizontal, trVertical };
const TEnumInfo& TrackBarOrientationInfo();
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
const TEnumInfo& TickMarkInfo();
enum TUDOrientation { udHorizontal, udVertical };
const TEnumInfo& UDOrientationInfo();

// What every range control keeps: Min, Max and Position, Position within the range.
class TRangeControl : public TWinControl {
  UI_CLASS_INFO
 public:
  explicit TRangeControl(TComponent* owner);

  int Min() const { return min_; }
  void SetMin(int value) { SetRange(value, std::max(value, max_)); }
  int Max() const { return max_; }
  void SetMax(int value) { SetRange(std::min(value, min_), value); }
  void SetRange(int min, int max);
  int Position() const;
  void SetPosition(int value);

  TNotifyEvent OnChange;

 protected:
  void CreateHandleDone() override;
  void DestroyWnd() override;
  // The window's own range and position.
  virtual void SendRange(HWND window) = 0;
  virtual void SendPosition(HWND window, int position) = 0;
  virtual int ReadPosition(HWND window) const = 0;
  // The user moved the position: store it and call OnChange when it changed.
  void UserMoved(int position);

 private:
  int min_ = 0, max_ = 100, position_ = 0;
};

class TScrollBar : public TRangeControl {
  UI_CLASS_INFO
 public:
  explicit TScrollBar(TComponent* owner);

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind value);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int value) { smallChange_ = value; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int value);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void SendRange(HWND window) override;
  void SendPosition(HWND window, int position) override;
  int ReadPosition(HWND window) const override;

 private:
  TScrollBarKind kind_ = sbHorizontal;
  int smallChange_ = 1, largeChange_ = 10;
};

class TProgressBar : public TRangeControl {
  UI_CLASS_INFO
 public:
  explicit TProgressBar(TComponent* owner);

  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation value);
  // One continuous bar instead of blocks.
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool value);
  int Step() const { return step_; }
  void SetStep(int value) { step_ = value; }
  // Moves the position on by Step, wrapping to Min past Max as the system's bar does.
  void StepIt();

 protected:
  void CreateParams(TCreateParams& params) override;
  void SendRange(HWND window) override;
  void SendPosition(HWND window, int position) override;
  int ReadPosition(HWND window) const override;

 private:
  TProgressBarOrientation orientation_ = pbHorizontal;
  bool smooth_ = false;
  int step_ = 10;
};

class TTrackBar : public TRangeControl {
  UI_CLASS_INFO
 public:
  explicit TTrackBar(TComponent* owner);

  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation value);
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark value);
  // A tick every Frequency positions.
  int Frequency() const { return frequency_; }
  void SetFrequency(int value);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void SendRange(HWND window) override;
  void SendPosition(HWND window, int position) override;
  int ReadPosition(HWND window) const override;

 private:
  TTrackBarOrientation orientation_ = trHorizontal;
  TTickMark tickMarks_ = tmBottomRight;
  int frequency_ = 1;
};

// Up-down arrows. With an Associate the arrows sit at its right edge and the position is shown
// in it as a number.
class TUpDown : public TRangeControl {
  UI_CLASS_INFO
 public:
  explicit TUpDown(TComponent* owner);

  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* control);
  TUDOrientation Orientation() const { return orientation_; }
  void SetOrientation(TUDOrientation value);
  int Increment() const { return increment_; }
  void SetIncrement(int value);
  // Past Max the position goes on at Min, and the other way round.
  bool Wrap() const { return wrap_; }
  void SetWrap(bool value);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void Notification(TComponent* component, TOperation operation) override;
  void SendRange(HWND window) override;
  void SendPosition(HWND window, int position) override;
  int ReadPosition(HWND window) const override;

 private:
  TWinControl* associate_ = nullptr;
  TUDOrientation orientation_ = udVertical;
  int increment_ = 1;
  bool wrap_ = false;
};

// An edit for a whole number with up-down arrows inside it along its right edge: the arrows
// are a child window of the edit that steps the number between MinValue and MaxValue.
class TSpinEdit : public TEdit {
  UI_CLASS_INFO
 public:
  explicit TSpinEdit(TComponent* owner);

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  void SetRange(int minValue, int maxValue);
  // The number the arrows hold (the edit shows it).
  int Value() const;
  void SetValue(int value);
  // The arrows' window while the edit has one.
  HWND ArrowsWindow() const { return arrows_; }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;

 private:
  void PlaceArrows();

  HWND arrows_ = nullptr;  // a child of the edit's window, destroyed with it
  int min_ = 0, max_ = 100, value_ = 0;
};

}  // namespace ui
