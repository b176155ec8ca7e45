#include "ui/qt/about_box.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "ui/qt/appearance.h"

namespace tessarin {
namespace {

// The etched rule under the description: a grey line with a white one
// two pixels wide just below it.
class EtchedRule : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(0, 0, width(), 1, QColor(128, 128, 128));
    painter.fillRect(1, 1, width() - 1, 2, Qt::white);
  }
};

QLabel* AddLabel(QWidget* parent, const char* name, QRect place, const QString& text,
                 const QFont& font, QColor colour, Qt::Alignment alignment) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromUtf8(name));
  label->setGeometry(place);
  label->setFont(font);
  label->setWordWrap(true);
  label->setAlignment(alignment | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  return label;
}

}  // namespace

frmAbout::frmAbout(Registry& registry, SystemTools& tools, MessageBox& message_box)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      registry_(registry),
      tools_(tools),
      message_box_(message_box) {
  setObjectName(QStringLiteral("frmAbout"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(AppIcon());
  setFont(DesignFont(Face::kMsSansSerif, 8.25, false));
  setFixedSize(TwipsToPixels(5730), TwipsToPixels(3555));
  move(TwipsToPixels(2340), TwipsToPixels(1935));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setGeometry(TwipsRect(4245, 2625, 1260, 345));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::close);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("picIcon"));
  icon->setGeometry(TwipsRect(240, 240, 540, 540));
  icon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  icon->setLineWidth(2);
  icon->setAlignment(Qt::AlignCenter);
  icon->setPixmap(AppIcon().pixmap(32, 32));

  auto* sys_info = new QPushButton(QStringLiteral("&Infos système..."), this);
  sys_info->setObjectName(QStringLiteral("cmdSysInfo"));
  sys_info->setGeometry(TwipsRect(4260, 3075, 1245, 345));
  connect(sys_info, &QPushButton::clicked, this,
          [this] { StartSysInfo(registry_, tools_, message_box_); });

  AddLabel(this, "lblDescription", TwipsRect(360, 1605, 4965, 690),
           QStringLiteral("Desassembleur PIC 16F876"), DesignFont(Face::kMsSansSerif, 18, false),
           QColor(0, 192, 0), Qt::AlignHCenter);
  AddLabel(this, "lblDisclaimer", TwipsRect(120, 2640, 3870, 585),
           QStringLiteral("Par les contributeurs de Tessarin"),
           DesignFont(Face::kArial, 9.75, true), Qt::black, Qt::AlignHCenter);
  AddLabel(this, "lblTitle", TwipsRect(1050, 240, 3885, 480), QString(),
           DesignFont(Face::kArial, 24, true), QColor(192, 0, 0), Qt::AlignLeft);
  AddLabel(this, "lblVersion", TwipsRect(1680, 960, 3165, 225), QString(),
           DesignFont(Face::kMsSansSerif, 9.75, true), QColor(128, 128, 255), Qt::AlignLeft);
  AddLabel(this, "Label1", TwipsRect(840, 3120, 3255, 255),
           QStringLiteral("Contact : les développeurs de Tessarin"),
           DesignFont(Face::kMsSansSerif, 8.25, true), QColor(0, 0, 192), Qt::AlignHCenter);

  auto* rule = new EtchedRule(this);
  rule->setObjectName(QStringLiteral("Line1"));
  // From (90, 2445) to (5654, 2445), and the white line from (105, 2460).
  rule->setGeometry(TwipsToPixels(90), TwipsToPixels(2445),
                    TwipsToPixels(5654) - TwipsToPixels(90) + 1, 3);

  setTabOrder(ok, sys_info);
  ok->setFocus();
  Load();
}

void frmAbout::Load() {
  const QString title = QString::fromUtf8(kAppTitle);
  setWindowTitle(QStringLiteral("À propos de ") + title);
  findChild<QLabel*>(QStringLiteral("lblVersion"))
      ->setText(QStringLiteral("Version ") + QString::fromUtf8(kAppVersion));
  findChild<QLabel*>(QStringLiteral("lblTitle"))->setText(title);
}

}  // namespace tessarin
