#pragma once
// A double click with the left button on a list view's row, reported with the row's index (only on a
// row: a double click below the last row or on the header reports nothing).
#include <functional>

#include "ui/ListView.h"
#include "ui/Messages.h"

namespace app {

class TRowDoubleClick {
 public:
  using RowEvent = std::function<void(int row)>;
  // Hooks the list's WindowProc; the list must outlive this object.
  TRowDoubleClick(ui::TCustomListView& list, RowEvent onRow);
  ~TRowDoubleClick();
  TRowDoubleClick(const TRowDoubleClick&) = delete;
  TRowDoubleClick& operator=(const TRowDoubleClick&) = delete;

 private:
  void WindowProc(ui::TMessage& message);

  ui::TCustomListView& list_;
  RowEvent onRow_;
  ui::TWndMethod previous_;
};

}  // namespace app
