#include "platform/sysfs/ddcutillibrary.h"

#include <dlfcn.h>

using namespace ddcutil_abi;

namespace {

template <typename Fn>
Fn bind(void *handle, const char *name)
{
    return reinterpret_cast<Fn>(dlsym(handle, name));
}

// Opens and closes one monitor around a single request.
class OpenMonitor {
public:
    OpenMonitor(OpenDisplay2Fn open, CloseDisplayFn close, DisplayRef ref)
        : m_close(close)
    {
        // No waiting: another user of the monitor makes this request fail
        // instead of freezing the caller.
        if (open(ref, false, &m_handle) != 0)
            m_handle = nullptr;
    }
    ~OpenMonitor()
    {
        if (m_handle)
            m_close(m_handle);
    }
    OpenMonitor(const OpenMonitor &) = delete;
    OpenMonitor &operator=(const OpenMonitor &) = delete;
    DisplayHandle handle() const { return m_handle; }

private:
    CloseDisplayFn m_close;
    DisplayHandle m_handle = nullptr;
};

} // namespace

QStringList DdcutilLibrary::defaultLibraryNames()
{
    return {QStringLiteral("libddcutil.so.5"), QStringLiteral("libddcutil.so.4")};
}

DdcutilLibrary::DdcutilLibrary(const QStringList &libraryNames)
{
    for (const QString &name : libraryNames) {
        // RTLD_NODELETE: libddcutil 2 runs threads of its own that must not
        // find their code unmapped after dlclose.
        m_handle = dlopen(name.toLocal8Bit().constData(), RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
        if (m_handle)
            break;
    }
    if (!m_handle)
        return;
    m_getList = bind<GetDisplayInfoList2Fn>(m_handle, "ddca_get_display_info_list2");
    m_freeList = bind<FreeDisplayInfoListFn>(m_handle, "ddca_free_display_info_list");
    m_open = bind<OpenDisplay2Fn>(m_handle, "ddca_open_display2");
    m_close = bind<CloseDisplayFn>(m_handle, "ddca_close_display");
    m_getValue = bind<GetNonTableVcpValueFn>(m_handle, "ddca_get_non_table_vcp_value");
    m_setValue = bind<SetNonTableVcpValueFn>(m_handle, "ddca_set_non_table_vcp_value");
}

DdcutilLibrary::~DdcutilLibrary()
{
    if (m_handle)
        dlclose(m_handle);
}

bool DdcutilLibrary::canList() const
{
    return m_getList && m_freeList && m_open && m_close;
}

bool DdcutilLibrary::canRead() const
{
    return canList() && m_getValue;
}

bool DdcutilLibrary::canWrite() const
{
    return canList() && m_setValue;
}

std::vector<DdcutilLibrary::Monitor> DdcutilLibrary::monitorsFrom(void *rawList) const
{
    using Info = DisplayInfoV2;
    const FreeDisplayInfoListFn freeList = m_freeList;
    std::shared_ptr<void> holder(rawList, [freeList](void *list) { freeList(list); });
    const auto *list = static_cast<const DisplayInfoList<Info> *>(rawList);
    const Info *entries = list->info;

    std::vector<Monitor> result;
    for (int i = 0; i < list->ct; ++i) {
        const Info &info = entries[i];
        Monitor monitor;
        monitor.ref = info.dref;
        monitor.list = holder;
        switch (info.path.io_mode) {
        case IoI2c:
            monitor.i2cBus = info.path.path.i2c_busno;
            monitor.id = QStringLiteral("ddc:i2c-%1").arg(monitor.i2cBus);
            break;
        case IoUsb:
            monitor.id = QStringLiteral("ddc:usb-%1").arg(info.path.path.hiddev_devno);
            break;
        default:
            monitor.id = QStringLiteral("ddc:display-%1").arg(info.dispno);
            break;
        }
        if (monitor.ref)
            result.push_back(std::move(monitor));
    }
    return result;
}

std::vector<DdcutilLibrary::Monitor> DdcutilLibrary::monitors() const
{
    if (!canList())
        return {};
    void *list = nullptr;
    const Status status = m_getList(false, &list);
    if (!list)
        return {};
    if (status != 0) {
        m_freeList(list);
        return {};
    }
    return monitorsFrom(list);
}

std::optional<DdcutilLibrary::VcpValue> DdcutilLibrary::readFeature(const Monitor &monitor,
                                                                    quint8 featureCode) const
{
    if (!canRead() || !monitor.ref)
        return std::nullopt;
    const OpenMonitor open(m_open, m_close, monitor.ref);
    if (!open.handle())
        return std::nullopt;
    NonTableVcpValue value{};
    if (m_getValue(open.handle(), featureCode, &value) != 0)
        return std::nullopt;
    VcpValue result;
    result.current = static_cast<quint16>(value.sh << 8 | value.sl);
    result.maximum = static_cast<quint16>(value.mh << 8 | value.ml);
    return result;
}

bool DdcutilLibrary::writeFeature(const Monitor &monitor, quint8 featureCode, quint16 value) const
{
    if (!canWrite() || !monitor.ref)
        return false;
    const OpenMonitor open(m_open, m_close, monitor.ref);
    if (!open.handle())
        return false;
    return m_setValue(open.handle(), featureCode, static_cast<quint8>(value >> 8),
                      static_cast<quint8>(value & 0xff))
           == 0;
}
