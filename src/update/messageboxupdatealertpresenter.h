#pragma once

#include "update/updatealert.h"

// Shows update alerts as application-modal message boxes in front of every
// other window and opens URLs with the desktop's default handler.
class MessageBoxUpdateAlertPresenter : public UpdateAlertPresenter {
public:
    int present(const UpdateAlert &alert) override;
    void openUrl(const QUrl &url) override;
};
