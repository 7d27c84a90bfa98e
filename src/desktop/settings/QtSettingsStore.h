#pragma once

#include <QSettings>
#include <QString>

#include "settings/SettingsStore.h"

// One group of Qt's settings store (the registry on Windows, a configuration file elsewhere).
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore(QSettings::Scope scope, const QString& organization, const QString& application,
                    const QString& group);

    std::optional<std::int32_t> readInt(const std::string& name) const override;
    std::optional<std::string> readString(const std::string& name) const override;
    bool writeInt(const std::string& name, std::int32_t value) override;
    bool writeString(const std::string& name, const std::string& value) override;

private:
    QString key(const std::string& name) const;
    bool write(const std::string& name, const QVariant& value);

    mutable QSettings settings_;
    QString group_;
};

// The program's two stores: the user's values (organisation and application "Veltra4 Replay
// Analyser", group "Settings") and the simulator's machine-wide setup entry ("Merrow OnLine",
// "Setup/VELTRA4").
SettingsStores makeQtSettingsStores();
