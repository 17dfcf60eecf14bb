#include "ui/qt/display_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

namespace vtr::qt {

namespace {

// The value of Qt's option `name` (given with one dash or two), or empty.
QString qt_option(const QStringList& arguments, const QString& name) {
  for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == QLatin1Char('-') + name || arguments[i] == QStringLiteral("--") + name)
      return arguments[i + 1];
  }
  return {};
}

struct Displays {
  bool x11;
  bool wayland;
};

Displays displays(const QStringList& arguments, const QProcessEnvironment& env) {
  // Without WAYLAND_DISPLAY a Wayland client connects to the socket "wayland-0".
  const QString runtime = env.value(QStringLiteral("XDG_RUNTIME_DIR"));
  const bool default_socket =
      !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("wayland-0")));
  return {!env.value(QStringLiteral("DISPLAY")).isEmpty() ||
              !qt_option(arguments, QStringLiteral("display")).isEmpty(),
          !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() || default_socket};
}

// What the platform plugin `name` lacks here, or empty.
QString platform_lacks(const QString& name, const Displays& have) {
  if (name == QStringLiteral("xcb") && !have.x11) return QStringLiteral("DISPLAY");
  if (name.startsWith(QStringLiteral("wayland")) && !have.wayland)
    return QStringLiteral("WAYLAND_DISPLAY");
  return {};
}

QString environment_value(const char* name) {
  const QString value = qEnvironmentVariable(name);
  return QLatin1String(name) + (value.isEmpty() ? QStringLiteral(" is not set")
                                                : QStringLiteral(" is \"%1\"").arg(value));
}

void on_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    std::fputs(qPrintable(qFormatLogMessage(type, context, text) + QLatin1Char('\n')), stderr);
    return;
  }
  const QString line = QCoreApplication::applicationName() +
                       QStringLiteral(": cannot open a window: no display could be reached (") +
                       environment_value("DISPLAY") + QStringLiteral(", ") +
                       environment_value("WAYLAND_DISPLAY") + QStringLiteral(")\n");
  std::fputs(qPrintable(line), stderr);
  std::fflush(stderr);
  // The application object is half made: nothing of it may run on the way out.
  std::_Exit(1);
}

}  // namespace

QString missing_display(const QStringList& arguments, const QProcessEnvironment& environment) {
  const Displays have = displays(arguments, environment);
  QString asked = qt_option(arguments, QStringLiteral("platform"));
  const QString by =
      asked.isEmpty() ? QStringLiteral("QT_QPA_PLATFORM") : QStringLiteral("-platform");
  if (asked.isEmpty()) asked = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
  if (asked.isEmpty()) {
    if (have.x11 || have.wayland) return {};
    return QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
  }
  // A list of platforms ("wayland;xcb") is tried in order; each may carry options after ':'.
  QString first_lack;
  QString first_name;
  for (const QString& entry : asked.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
    const QString lack = platform_lacks(name, have);
    if (lack.isEmpty()) return {};
    if (first_lack.isEmpty()) {
      first_lack = lack;
      first_name = name;
    }
  }
  if (first_lack.isEmpty()) return {};
  return QStringLiteral("%1 is not set (%2 asks for the %3 platform)")
      .arg(first_lack, by, first_name);
}

bool display_available(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const QString missing = missing_display(arguments, QProcessEnvironment::systemEnvironment());
  if (missing.isEmpty()) return true;
  const QString line = QCoreApplication::applicationName() +
                       QStringLiteral(": cannot open a window: ") + missing + QLatin1Char('\n');
  std::fputs(qPrintable(line), stderr);
  return false;
}

PlatformStartWatch::PlatformStartWatch() {
  qInstallMessageHandler(on_message);
}

PlatformStartWatch::~PlatformStartWatch() {
  qInstallMessageHandler(nullptr);
}

}  // namespace vtr::qt
