// Declaring the skinner classes that add nothing to their base but their name.
#pragma once

#include "ui/TypInfo.h"

// A skinner class that is its base under its own name (and class information).
#define SKIN_CONTROL_CLASS(Name, Base) \
  class Name : public Base {           \
    UI_CLASS_INFO                      \
   public:                             \
    using Base::Base;                  \
  }

// The class information of such a class (in one source file).
#define SKIN_CONTROL_CLASS_INFO(Name, Base)                                    \
  const ::ui::TClassInfo& Name::StaticClass() {                                \
    static const ::ui::TClassInfo info(L## #Name, &Base::StaticClass());       \
    return info;                                                               \
  }
