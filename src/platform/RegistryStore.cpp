#include "platform/RegistryStore.h"

#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace platform {

namespace {

std::string g_file;

std::unique_ptr<QSettings> openStore()
{
    auto settings = std::make_unique<QSettings>(
        QString::fromStdString(RegistryStore::backingFile()), QSettings::IniFormat);
    return settings;
}

// "Software\Vorn\Quillon(dPMR)\Display\Ch\colwidth" -> "Display/Ch/colwidth".
QString groupOf(const std::string &keyPath)
{
    std::string path = keyPath;
    const std::string root = RegistryStore::kRoot;
    if (path.compare(0, root.size(), root) == 0)
        path.erase(0, root.size());
    QString group = QString::fromStdString(path);
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    return group;
}

QString valueKey(const std::string &keyPath, const std::string &name)
{
    const QString group = groupOf(keyPath);
    const QString value = QString::fromStdString(name);
    return group.isEmpty() ? value : group + QLatin1Char('/') + value;
}

bool writeValue(const std::string &keyPath, const std::string &name, const QVariant &value)
{
    auto store = openStore();
    store->setValue(valueKey(keyPath, name), value);
    store->sync();
    return store->status() == QSettings::NoError;
}

} // namespace

std::string RegistryStore::backingFile()
{
    if (g_file.empty()) {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        g_file = (folder + QStringLiteral("/Vorn/Quillon(dPMR).conf")).toStdString();
    }
    return g_file;
}

void RegistryStore::setBackingFile(const std::string &path) { g_file = path; }

std::optional<uint32_t> RegistryStore::readInteger(const std::string &keyPath,
                                                   const std::string &name)
{
    auto store = openStore();
    const QVariant value = store->value(valueKey(keyPath, name));
    if (!value.isValid())
        return std::nullopt;
    // A value that is not a number is a value of another type: like reading a
    // string as a DWORD, it does not count as present.
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok || number < INT32_MIN || number > UINT32_MAX)
        return std::nullopt;
    return static_cast<uint32_t>(number);
}

std::optional<std::string> RegistryStore::readString(const std::string &keyPath,
                                                     const std::string &name)
{
    auto store = openStore();
    const QVariant value = store->value(valueKey(keyPath, name));
    if (!value.isValid())
        return std::nullopt;
    return value.toString().toStdString();
}

bool RegistryStore::writeInteger(const std::string &keyPath, const std::string &name,
                                 uint32_t value)
{
    return writeValue(keyPath, name, QVariant(static_cast<qulonglong>(value)));
}

bool RegistryStore::writeString(const std::string &keyPath, const std::string &name,
                                const std::string &value)
{
    return writeValue(keyPath, name, QVariant(QString::fromStdString(value)));
}

bool RegistryStore::deleteKey(const std::string &keyPath, const std::string &subkey)
{
    const QString group = valueKey(keyPath, subkey);
    auto store = openStore();
    store->beginGroup(group);
    const bool existed = !store->allKeys().isEmpty();
    store->endGroup();
    if (!existed)
        return false;
    store->remove(group);
    store->sync();
    return store->status() == QSettings::NoError;
}

bool RegistryStore::keyExists(const std::string &keyPath)
{
    auto store = openStore();
    const QString group = groupOf(keyPath);
    if (group.isEmpty())
        return !store->allKeys().isEmpty();
    store->beginGroup(group);
    return !store->allKeys().isEmpty();
}

} // namespace platform
