// Opening addresses and files with the desktop, starting programs with an
// argument list. Nothing here builds a shell command line.
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include "platform/qt/QtConvert.h"
#include "platform/qt/QtServices.h"

namespace vorna::qt {
namespace {

// A scheme of two letters or more ("http:", "mailto:"); one letter would be a
// drive, which has no meaning here either.
bool HasScheme(const QString& target) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return scheme.match(target).hasMatch();
}

}  // namespace

void TQtShell::Open(const std::string& targetCp932, const std::string& parameters,
                    const std::string& directory) {
  QString target = QStringFromCp932(targetCp932).trimmed();
  // A target quoted for a command line loses its quotes: there is no command line.
  if (target.size() >= 2 && target.startsWith(u'"') && target.endsWith(u'"'))
    target = target.mid(1, target.size() - 2);
  if (target.isEmpty()) return;
  ProcessMessages();
  if (HasScheme(target)) {
    QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
    return;
  }
  QFileInfo info(target);
  if (info.isFile() && info.isExecutable()) {
    QString dir = directory.empty() ? info.absolutePath() : QStringFromCp932(directory);
    QProcess::startDetached(info.absoluteFilePath(), QProcess::splitCommand(QStringFromCp932(parameters)),
                            dir);
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool TQtShell::StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
  if (program.empty()) return false;
  QStringList args;
  for (const std::string& a : arguments) args.append(QStringFromCp932(a));
  return QProcess::startDetached(QStringFromCp932(program), args);
}

void TQtShell::ProcessMessages() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

}  // namespace vorna::qt
