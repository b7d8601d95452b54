// The user's shell folders. When BRACKENFOLD_HOME is set it is the home of all
// per-user data (settings, application data, documents, desktop files), so tests
// and demonstrations never touch the real home. A folder that cannot be found is "".
#pragma once

#include <QString>

class IShellFolders {
public:
    virtual ~IShellFolders() = default;
    virtual QString appDataFolder() const = 0;   // the user's application data
    virtual QString documentsFolder() const = 0; // the user's documents
    virtual QString configFolder() const = 0;    // where the settings file lives
    virtual QString dataHomeFolder() const = 0;  // desktop entries and MIME types
};

class StandardShellFolders : public IShellFolders {
public:
    QString appDataFolder() const override;
    QString documentsFolder() const override;
    QString configFolder() const override;
    QString dataHomeFolder() const override;

    // The BRACKENFOLD_HOME folder, "" when it is not set.
    static QString homeOverride();
};

// Fixed folders, for tests and for a home given on purpose.
class FixedShellFolders : public IShellFolders {
public:
    FixedShellFolders(QString appData, QString documents, QString config, QString dataHome)
        : appData_(std::move(appData)), documents_(std::move(documents)), config_(std::move(config)),
          dataHome_(std::move(dataHome))
    {
    }
    // All four below one home folder, laid out as StandardShellFolders does.
    static FixedShellFolders underHome(const QString &home);

    QString appDataFolder() const override { return appData_; }
    QString documentsFolder() const override { return documents_; }
    QString configFolder() const override { return config_; }
    QString dataHomeFolder() const override { return dataHome_; }

private:
    QString appData_, documents_, config_, dataHome_;
};
