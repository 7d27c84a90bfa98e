#include "desktop/settings/QtSettingsStore.h"

#include <limits>

#include "settings/PlatformSettingsStores.h"

QtSettingsStore::QtSettingsStore(QSettings::Scope scope, const QString& organization,
                                 const QString& application, const QString& group)
    : settings_(QSettings::NativeFormat, scope, organization, application), group_(group) {}

QString QtSettingsStore::key(const std::string& name) const {
    return group_ + '/' + QString::fromStdString(name);
}

std::optional<std::int32_t> QtSettingsStore::readInt(const std::string& name) const {
    const QVariant value = settings_.value(key(name));
    if (!value.isValid() || value.typeId() == QMetaType::QStringList) return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

std::optional<std::string> QtSettingsStore::readString(const std::string& name) const {
    const QVariant value = settings_.value(key(name));
    // A list, or a value of a type that has no text (a rectangle, a size), is not one.
    if (!value.isValid() || value.typeId() == QMetaType::QStringList || !value.canConvert<QString>())
        return std::nullopt;
    return value.toString().toStdString();
}

bool QtSettingsStore::write(const std::string& name, const QVariant& value) {
    if (!settings_.isWritable()) return false;
    settings_.setValue(key(name), value);
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

bool QtSettingsStore::writeInt(const std::string& name, std::int32_t value) {
    return write(name, value);
}

bool QtSettingsStore::writeString(const std::string& name, const std::string& value) {
    return write(name, QString::fromStdString(value));
}

namespace {

std::unique_ptr<QtSettingsStore> storeAt(QSettings::Scope scope, const SettingsLocation& location) {
    return std::make_unique<QtSettingsStore>(scope, location.organization, location.application,
                                             location.group);
}

}  // namespace

SettingsStores makeQtSettingsStores() {
    return SettingsStores{storeAt(QSettings::UserScope, kUserSettings),
                          storeAt(QSettings::SystemScope, kSimulatorSetup)};
}
