// The control factories: controls are made by class name. Two fixed tables
// say which names a window (painter) and a container (panel) accept; each
// accepted class supplies its constructor through Register.
#pragma once

#include <memory>

#include "QorUI/control.h"

using ControlCreator = std::unique_ptr<MControl> (*)(MObject* parent, UINT id, CRect rect,
                                                     const char* title, int visible, int enabled);

class ControlFactory {
 public:
  enum class Table { kPainter, kPanel };

  ControlFactory() = delete;

  // Exact, case-sensitive membership in a table.
  static bool Accepts(Table table, const char* class_name);
  // Supplies the constructor of a class; false for a name in neither table.
  static bool Register(const char* class_name, ControlCreator creator);
  // Null when the name is empty, not in the table, or has no constructor yet.
  static std::unique_ptr<MControl> Create(Table table, MObject* parent, const char* class_name,
                                          UINT id, CRect rect, const char* title, int visible,
                                          int enabled);
};
