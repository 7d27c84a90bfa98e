#include "desktop/common/UserProfile.h"

#include <QDir>
#include <QFileInfo>

QSettings userProfile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Veltra4 Replay Analyser"),
                     QStringLiteral("Veltra4 Replay Analyser"));
}

QString RememberedFolder::key() const {
    return QStringLiteral("Folders/") + purpose_;
}

QString RememberedFolder::folderOr(const QString& fallback) const {
    const QString folder = userProfile().value(key()).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : fallback;
}

QString RememberedFolder::fileIn(const QString& proposedPath) const {
    const QString folder = folderOr(QString());
    return folder.isEmpty() ? proposedPath : QDir(folder).filePath(QFileInfo(proposedPath).fileName());
}

void RememberedFolder::remember(const QString& chosenPath) const {
    const QFileInfo chosen(chosenPath);
    userProfile().setValue(key(), chosen.isDir() ? chosen.absoluteFilePath() : chosen.absolutePath());
}
