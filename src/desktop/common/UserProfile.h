#pragma once

#include <QSettings>
#include <QString>

// The user's own settings store (organisation and application "Veltra4 Replay Analyser"), where
// the program keeps what it remembers between runs beside the user's preferences: the recent
// files, window sizes and layouts, and the folders of the file dialogs.
QSettings userProfile();

// The folder a file dialog last used for one purpose, so it opens there next time. A folder that
// has gone since is forgotten.
class RememberedFolder {
public:
    explicit RememberedFolder(QString purpose) : purpose_(std::move(purpose)) {}

    // The remembered folder, or `fallback` when there is none.
    QString folderOr(const QString& fallback) const;
    // `proposedPath`'s file name in the remembered folder, or `proposedPath` itself.
    QString fileIn(const QString& proposedPath) const;
    // Remembers the folder of a chosen file, or a chosen folder itself.
    void remember(const QString& chosenPath) const;

private:
    QString key() const;

    QString purpose_;
};
