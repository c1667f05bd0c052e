#pragma once

// Settings kept in a QSettings store: the user's settings file, or a file of a test's.
// Texts are UTF-8.

#include "platform/settings.h"

class QSettings;

namespace fh {

class QtSettings : public Settings {
public:
    explicit QtSettings(QSettings& store) : store(store) {}
    std::vector<std::string> strings(const std::string& key) const override;
    void setStrings(const std::string& key, const std::vector<std::string>& values) override;

private:
    QSettings& store;
};

} // namespace fh
