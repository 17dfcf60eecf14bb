#include "ui/qt/form2.h"

#include <QFontDatabase>
#include <QTabBar>
#include <QTextEdit>
#include <QToolBar>

#include "ui/qt/design.h"

namespace vtr::qt {

namespace {

QFont help_font() {
  // The design font where the machine has it, else a close serif face.
  const QStringList families = QFontDatabase::families();
  for (const char* name : {"Perpetua", "DejaVu Serif", "Liberation Serif"}) {
    if (families.contains(QLatin1String(name))) return QFont(QLatin1String(name), 12);
  }
  QFont f(QStringLiteral("serif"), 12);
  f.setStyleHint(QFont::Serif);
  return f;
}

}  // namespace

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("VantrelTIFFReader Help"));
  resize(px(kForm2Width), px(kForm2Height));

  toolbar_ = new QToolBar(this);
  toolbar_->setGeometry(kToolbar1.pixels());
  toolbar_->setMovable(false);

  tabs_ = new QTabBar(toolbar_);
  tabs_->setGeometry(kTabStrip1.pixels());
  tabs_->setExpanding(false);
  tabs_->setDrawBase(false);
  struct Tab {
    const char* caption;
    const char* tooltip;
  };
  const Tab tabs[] = {{"Help", "Help on the use of VantrelTIFFReader"},
                      {"About", "About VantrelTIFFReader"},
                      {"Print", nullptr},
                      {"Close", "Closes help window"}};
  for (const Tab& t : tabs) {
    const int i = tabs_->addTab(QLatin1String(t.caption));
    tabs_->setTabData(i, QLatin1String(t.caption));  // the tab's key
    if (t.tooltip) tabs_->setTabToolTip(i, QLatin1String(t.tooltip));
  }
  tabs_->setCurrentIndex(0);

  tb_ = new QTextEdit(this);
  tb_->setGeometry(kTb.pixels());
  tb_->setReadOnly(true);
  tb_->setAcceptRichText(false);
  tb_->setFont(help_font());
  tb_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QPalette pal = tb_->palette();
  pal.setColor(QPalette::Base, palette().color(QPalette::Base));
  tb_->setPalette(pal);
  setTabOrder(tb_, tabs_);
  toolbar_->setAccessibleName(QStringLiteral("tab strip"));
  tb_->setAccessibleName(QStringLiteral("help text"));
  tb_->setAccessibleDescription(
      QStringLiteral("The help or the about text; the tabs above choose which."));
  tb_->setFocus();

  // A press on another tab changes the selection first; a press on the selected tab is a
  // pick as well.
  connect(tabs_, &QTabBar::currentChanged, this, [this](int) { picked(); });
  connect(tabs_, &QTabBar::tabBarClicked, this, [this](int index) {
    if (index >= 0 && index == tabs_->currentIndex()) picked();
  });
}

int Form2::selected_tab() const {
  return tabs_->currentIndex() + 1;
}

void Form2::picked() {
  if (on_tab_) on_tab_();
}

}  // namespace vtr::qt
