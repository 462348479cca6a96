#pragma once

#include <filesystem>
#include <memory>
#include <string>

class QSettings;

namespace orb {

// Per-user settings: application "ORB", sections and keys as the program names them
// ("PATH"/"DATABASE", "PARAMETERS"/"KORGPROG", ...), string values.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string& section, const std::string& key,
                            const std::string& defaultValue) const = 0;
    virtual void set(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

// QSettings in INI format. The default constructor uses the per-user config folder
// (organisation "ORB", application "ORB"); tests and benchmarks pass a file of their own.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    explicit QtSettingsStore(const std::filesystem::path& iniFile);
    ~QtSettingsStore() override;

    std::string get(const std::string& section, const std::string& key,
                    const std::string& defaultValue) const override;
    void set(const std::string& section, const std::string& key, const std::string& value) override;

    std::filesystem::path fileName() const;

private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace orb
