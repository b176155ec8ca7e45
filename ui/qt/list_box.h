#pragma once

#include <QListView>

namespace tessarin {

/// A list view that always shows the keyboard focus, as a classic list box
/// does: a focus frame around the current line, or where the first line
/// goes when there is none (an empty list). The toolkit's own style shows it
/// only once the keyboard has moved the focus, and never in an empty list.
class ListBox : public QListView {
 public:
  using QListView::QListView;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessarin
