#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QString>

// The per-user preference store: a typed JSON file written atomically, with registered defaults
// that answer for keys never written, and a change signal naming the key. Keys and their types
// are in core/records/PreferenceKeys.h.
//
// A missing, empty, unreadable or corrupt file reads as "nothing stored"; a corrupt one is kept
// aside (as NAME.corrupt) when the next change is written, and an unreadable one is never
// overwritten. Anything at the path but a regular file (a symbolic link, a FIFO, a folder) is
// unreadable; a file over a megabyte is corrupt. A value of another type than the one asked for
// reads as absent.
//
// Lives on the GUI thread (or the command line's main thread) like every QObject it signals.
class Preferences : public QObject {
    Q_OBJECT

public:
    // The current user's store: $XDG_CONFIG_HOME/Quillo/preferences.json.
    static Preferences& standard();

    explicit Preferences(QString filePath, QObject* parent = nullptr);

    // Values that answer for keys never written; they are not stored.
    void registerDefaults(const QJsonObject& defaults);
    // The defaults every run registers at start: the menu bar item, its free-space text and the
    // low-space alerts are on until the user turns them off.
    void registerApplicationDefaults();

    std::optional<bool> boolValue(const QString& key) const;
    // A number without a fraction that fits in 64 bits.
    std::optional<std::int64_t> integerValue(const QString& key) const;
    std::optional<double> doubleValue(const QString& key) const;
    std::optional<QString> stringValue(const QString& key) const;
    // An array of texts, as UTF-8; an array holding anything else reads as absent.
    std::optional<std::vector<std::string>> stringListValue(const QString& key) const;

    void setBool(const QString& key, bool value) { setValue(key, value); }
    void setInteger(const QString& key, std::int64_t value) { setValue(key, static_cast<qint64>(value)); }
    void setDouble(const QString& key, double value) { setValue(key, value); }
    void setString(const QString& key, const QString& value) { setValue(key, value); }
    void setStringList(const QString& key, const std::vector<std::string>& value);
    void removeValue(const QString& key);

    const QString& filePath() const { return filePath_; }

Q_SIGNALS:
    // This store wrote or removed the value of `key`.
    void changed(const QString& key);

private:
    enum class FileState { missing, loaded, corrupt, unreadable };

    QJsonValue value(const QString& key) const;
    void setValue(const QString& key, const QJsonValue& value);
    void reloadIfChangedOnDisk() const;
    bool write(const QJsonObject& stored);

    QString filePath_;
    QJsonObject defaults_;
    mutable QJsonObject stored_;
    mutable FileState state_ = FileState::missing;
    mutable QString fileStamp_;
};
