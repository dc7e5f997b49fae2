#pragma once

#include "model/files/backupsandrecovery.h"

class QWidget;

// Restore Previous Version's list of the versions Write Out kept.
class VersionPicker : public tolvane::VersionChooser
{
public:
    explicit VersionPicker(QWidget *window) : window(window) {}

    std::optional<std::size_t> chooseVersion(const std::string &fileName,
                                             const std::vector<KeptVersion> &versions) override;

private:
    QWidget *window;
};
