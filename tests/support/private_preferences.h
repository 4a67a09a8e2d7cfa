#pragma once

#include <QDir>
#include <QTemporaryDir>

// A configuration folder of the test's own, so that preferences never reach the user's.
class PrivatePreferences final {
public:
    // Points XDG_CONFIG_HOME at the folder; false when it could not be made.
    bool use()
    {
        if (!m_config.isValid())
            return false;
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        return true;
    }
    // The folder of the preferences, named after the program.
    QString folder() const { return m_config.filePath(QStringLiteral("corvale")); }
    // Forgets every preference kept so far.
    bool clear() const
    {
        return QDir(m_config.filePath(QStringLiteral("corvale"))).removeRecursively();
    }

private:
    QTemporaryDir m_config;
};
