#pragma once

#include "platform/sysfs/ddcutilabi.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// libddcutil, opened with dlopen at run time so that Halvoscope runs (without
// DDC/CI monitors) where it is not installed. Every function is looked up by
// name on its own; a missing one only takes away what needs it.
class DdcutilLibrary {
public:
    struct Monitor {
        QString id;      // "ddc:i2c-5", "ddc:usb-3"
        int i2cBus = -1; // -1 when the monitor is not on an I²C bus
        ddcutil_abi::DisplayRef ref = nullptr;
        // The list the reference came from, kept alive while it is used.
        std::shared_ptr<void> list;
    };

    struct VcpValue {
        quint16 current = 0;
        quint16 maximum = 0;
    };

    // The names ddcutil 2 and ddcutil 1 install the library under.
    static QStringList defaultLibraryNames();

    // Tries each name (a file name or a path) in turn.
    explicit DdcutilLibrary(const QStringList &libraryNames = defaultLibraryNames());
    ~DdcutilLibrary();
    DdcutilLibrary(const DdcutilLibrary &) = delete;
    DdcutilLibrary &operator=(const DdcutilLibrary &) = delete;

    bool isLoaded() const { return m_handle != nullptr; }
    bool canList() const;
    bool canRead() const;
    bool canWrite() const;

    std::vector<Monitor> monitors() const;
    std::optional<VcpValue> readFeature(const Monitor &monitor, quint8 featureCode) const;
    bool writeFeature(const Monitor &monitor, quint8 featureCode, quint16 value) const;

private:
    std::vector<Monitor> monitorsFrom(void *rawList) const;

    void *m_handle = nullptr;
    ddcutil_abi::GetDisplayInfoList2Fn m_getList = nullptr;
    ddcutil_abi::FreeDisplayInfoListFn m_freeList = nullptr;
    ddcutil_abi::OpenDisplay2Fn m_open = nullptr;
    ddcutil_abi::CloseDisplayFn m_close = nullptr;
    ddcutil_abi::GetNonTableVcpValueFn m_getValue = nullptr;
    ddcutil_abi::SetNonTableVcpValueFn m_setValue = nullptr;
};
