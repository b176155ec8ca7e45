#include "ui/qt/list_box.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace tessarin {

void ListBox::paintEvent(QPaintEvent* event) {
  QListView::paintEvent(event);
  if (!hasFocus()) return;
  QStyleOptionFocusRect frame;
  frame.initFrom(this);
  frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
  frame.backgroundColor = palette().color(QPalette::Base);
  const QModelIndex current = currentIndex();
  frame.rect = current.isValid() ? visualRect(current)
                                 : QRect(0, 0, viewport()->width(), fontMetrics().height() + 2);
  QPainter painter(viewport());
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

}  // namespace tessarin
