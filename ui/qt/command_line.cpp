#include "ui/qt/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include "ui/console.h"

namespace vtr::qt {

CommandLine parse_command_line(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Views uncompressed 8-, 12- and 16-bit grey and 8-bit RGB TIFF images.\n\n") +
      QString::fromUtf8(consolehelp().data(), static_cast<qsizetype>(consolehelp().size())));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("The TIFF image to open at start-up."),
                               QStringLiteral("[FILE]"));
  CommandLine out;
  const QString name = QCoreApplication::applicationName();
  if (!parser.parse(arguments)) {
    out.action = CommandLine::Action::bad_option;
    out.text = name + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n');
  } else if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    out.action = CommandLine::Action::print_help;
    out.text = parser.helpText();
  } else if (parser.isSet(version)) {
    out.action = CommandLine::Action::print_version;
    out.text = name + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QLatin1Char('\n');
  } else if (const QStringList files = parser.positionalArguments(); files.size() > 1) {
    out.action = CommandLine::Action::too_many_files;
    out.text = name + QStringLiteral(": one FILE at most, %1 given\n").arg(files.size());
  } else if (files.size() == 1) {
    out.file = QFileInfo(files.front()).absoluteFilePath();
  }
  return out;
}

}  // namespace vtr::qt
