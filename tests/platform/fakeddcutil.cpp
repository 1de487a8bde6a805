// A stand-in for libddcutil with the same exported C functions and the same
// struct layouts as the real library's public headers, so the production code
// loads it with dlopen exactly as it loads the real one. Its monitors live in
// the text file named by FAKE_DDCUTIL_STATE, read on every call and written
// back after every change:
//
//   version 2
//   list ok                       (or "list fail")
//   handles 0                     (monitors currently open)
//   display i2c 5 cur 50 max 100 sets 0 [openfail] [getfail] [setfail]
//   display usb 3 cur 20 max 40 sets 0
//
// Builds with FAKE_DDCUTIL_WITHOUT_<NAME> leave the named function out.
// FAKE_DDCUTIL_DELAY_MS makes every bus transaction (listing, opening, a
// feature read or write) take that long, as DDC/CI over I²C does.
// FAKE_DDCUTIL_GATE names a file: while it does not exist, every feature read
// or write waits on the wire until it does, and shows that it waits by
// creating the file of the same name with ".waiting" appended, which it
// removes once it goes on.

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" {

typedef int DDCA_Status;
typedef void *DDCA_Display_Ref;
typedef void *DDCA_Display_Handle;
typedef uint8_t DDCA_Vcp_Feature_Code;

typedef struct {
    uint8_t major;
    uint8_t minor;
    uint8_t micro;
} DDCA_Ddcutil_Version_Spec;

typedef struct {
    uint8_t major;
    uint8_t minor;
} DDCA_MCCS_Version_Spec;

typedef enum { DDCA_IO_I2C,
               DDCA_IO_ADL,
               DDCA_IO_USB } DDCA_IO_Mode;

typedef struct {
    int iAdapterIndex;
    int iDisplayIndex;
} DDCA_Adlno;

// ddcutil 1.x
typedef struct {
    DDCA_IO_Mode io_mode;
    union {
        int i2c_busno;
        DDCA_Adlno adlno;
        int hiddev_devno;
    } path;
} DDCA_IO_Path_V1;

// ddcutil 2.x
typedef struct {
    DDCA_IO_Mode io_mode;
    union {
        int i2c_busno;
        int hiddev_devno;
    } path;
} DDCA_IO_Path_V2;

#define FAKE_DISPLAY_INFO(PathType, Name)   \
    typedef struct {                        \
        char marker[4];                     \
        int dispno;                         \
        PathType path;                      \
        int usb_bus;                        \
        int usb_device;                     \
        char mfg_id[4];                     \
        char model_name[14];                \
        char sn[14];                        \
        uint16_t product_code;              \
        uint8_t edid_bytes[128];            \
        DDCA_MCCS_Version_Spec vcp_version; \
        DDCA_Display_Ref dref;              \
    } Name;

FAKE_DISPLAY_INFO(DDCA_IO_Path_V1, DDCA_Display_Info_V1)
FAKE_DISPLAY_INFO(DDCA_IO_Path_V2, DDCA_Display_Info_V2)

typedef struct {
    uint8_t mh;
    uint8_t ml;
    uint8_t sh;
    uint8_t sl;
} DDCA_Non_Table_Vcp_Value;

} // extern "C"

namespace {

struct Monitor {
    std::string kind = "i2c";
    int number = 0;
    long cur = 0;
    long max = 0;
    long sets = 0;
    bool openFail = false;
    bool getFail = false;
    bool setFail = false;
};

struct State {
    int version = 2;
    bool listOk = true;
    long handles = 0;
    std::vector<Monitor> monitors;
};

struct Handle {
    int index;
};

// Display references stay valid for the life of the library, as the real
// library's do.
int g_refs[64];

std::string statePath()
{
    const char *path = std::getenv("FAKE_DDCUTIL_STATE");
    return path ? path : "";
}

// The pause the real library spends on the wire for one transaction.
void busDelay()
{
    const char *delay = std::getenv("FAKE_DDCUTIL_DELAY_MS");
    const long ms = delay ? std::strtol(delay, nullptr, 10) : 0;
    if (ms > 0) {
        timespec pause{ms / 1000, (ms % 1000) * 1000000L};
        while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
        }
    }
}

// Holds a feature read or write for as long as the gate file is missing.
void passGate()
{
    const char *gate = std::getenv("FAKE_DDCUTIL_GATE");
    if (!gate || !*gate || ::access(gate, F_OK) == 0)
        return;
    const std::string waiting = std::string(gate) + ".waiting";
    std::ofstream(waiting).close();
    while (::access(gate, F_OK) != 0) {
        timespec pause{0, 1000000L};
        nanosleep(&pause, nullptr);
    }
    std::remove(waiting.c_str());
}

State load()
{
    State state;
    std::ifstream in(statePath());
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "version") {
            words >> state.version;
        } else if (key == "list") {
            std::string value;
            words >> value;
            state.listOk = value != "fail";
        } else if (key == "handles") {
            words >> state.handles;
        } else if (key == "display") {
            Monitor m;
            words >> m.kind >> m.number;
            std::string word;
            while (words >> word) {
                if (word == "cur")
                    words >> m.cur;
                else if (word == "max")
                    words >> m.max;
                else if (word == "sets")
                    words >> m.sets;
                else if (word == "openfail")
                    m.openFail = true;
                else if (word == "getfail")
                    m.getFail = true;
                else if (word == "setfail")
                    m.setFail = true;
            }
            state.monitors.push_back(m);
        }
    }
    return state;
}

void writeState(std::ostream &out, const State &state)
{
    out << "version " << state.version << "\n";
    out << "list " << (state.listOk ? "ok" : "fail") << "\n";
    out << "handles " << state.handles << "\n";
    for (const Monitor &m : state.monitors) {
        out << "display " << m.kind << ' ' << m.number << " cur " << m.cur << " max " << m.max
            << " sets " << m.sets;
        if (m.openFail)
            out << " openfail";
        if (m.getFail)
            out << " getfail";
        if (m.setFail)
            out << " setfail";
        out << "\n";
    }
}

// Written aside and renamed into place, so that a test reading the file while
// the library is busy on another thread never sees it half written.
void save(const State &state)
{
    const std::string path = statePath();
    const std::string staging = path + ".new";
    {
        std::ofstream out(staging, std::ios::trunc);
        writeState(out, state);
    }
    std::rename(staging.c_str(), path.c_str());
}

template <typename Info>
void *buildList(const State &state)
{
    // A one-element trailing array, as libddcutil's header declares it; the
    // allocation below has room for `count` of them.
    struct List {
        int ct;
        Info info[1];
    };
    const size_t count = state.monitors.size();
    auto *list = static_cast<List *>(std::calloc(1, sizeof(List) + count * sizeof(Info)));
    list->ct = static_cast<int>(count);
    for (size_t i = 0; i < count && i < 64; ++i) {
        const Monitor &m = state.monitors[i];
        Info &info = list->info[i];
        std::memcpy(info.marker, "DDIN", 4);
        info.dispno = static_cast<int>(i) + 1;
        if (m.kind == "usb") {
            info.path.io_mode = DDCA_IO_USB;
            info.path.path.hiddev_devno = m.number;
        } else {
            info.path.io_mode = DDCA_IO_I2C;
            info.path.path.i2c_busno = m.number;
        }
        info.usb_bus = -1;
        info.usb_device = -1;
        std::snprintf(info.model_name, sizeof info.model_name, "FAKE %d", m.number);
        info.dref = &g_refs[i];
        g_refs[i] = static_cast<int>(i);
    }
    return list;
}

int indexOf(DDCA_Display_Ref ref)
{
    const int *p = static_cast<const int *>(ref);
    if (p < g_refs || p >= g_refs + 64)
        return -1;
    return static_cast<int>(p - g_refs);
}

constexpr DDCA_Status kErrorInvalidDisplay = -3020;
constexpr DDCA_Status kErrorDdcData = -3001;

} // namespace

extern "C" {

__attribute__((visibility("default"))) DDCA_Ddcutil_Version_Spec ddca_ddcutil_version(void)
{
    const State state = load();
    DDCA_Ddcutil_Version_Spec version{static_cast<uint8_t>(state.version), 4, 1};
    return version;
}

__attribute__((visibility("default"))) DDCA_Status
ddca_get_display_info_list2(bool include_invalid_displays, void **dlist_loc)
{
    (void)include_invalid_displays;
    busDelay();
    const State state = load();
    if (!state.listOk) {
        *dlist_loc = nullptr;
        return kErrorDdcData;
    }
    *dlist_loc = state.version >= 2 ? buildList<DDCA_Display_Info_V2>(state)
                                    : buildList<DDCA_Display_Info_V1>(state);
    return 0;
}

__attribute__((visibility("default"))) void ddca_free_display_info_list(void *dlist)
{
    std::free(dlist);
}

__attribute__((visibility("default"))) DDCA_Status
ddca_open_display2(DDCA_Display_Ref ddca_dref, bool wait, DDCA_Display_Handle *p_ddca_dh)
{
    (void)wait;
    busDelay();
    State state = load();
    const int index = indexOf(ddca_dref);
    if (index < 0 || index >= static_cast<int>(state.monitors.size()))
        return kErrorInvalidDisplay;
    if (state.monitors[index].openFail)
        return -13; // -EACCES, as for an unreadable /dev/i2c-N
    *p_ddca_dh = new Handle{index};
    ++state.handles;
    save(state);
    return 0;
}

__attribute__((visibility("default"))) DDCA_Status ddca_close_display(DDCA_Display_Handle ddca_dh)
{
    if (!ddca_dh)
        return kErrorInvalidDisplay;
    delete static_cast<Handle *>(ddca_dh);
    State state = load();
    --state.handles;
    save(state);
    return 0;
}

#ifndef FAKE_DDCUTIL_WITHOUT_GET
__attribute__((visibility("default"))) DDCA_Status
ddca_get_non_table_vcp_value(DDCA_Display_Handle ddca_dh, DDCA_Vcp_Feature_Code feature_code,
                             DDCA_Non_Table_Vcp_Value *valrec)
{
    busDelay();
    passGate();
    const State state = load();
    const int index = static_cast<Handle *>(ddca_dh)->index;
    const Monitor &m = state.monitors.at(index);
    if (feature_code != 0x10 || m.getFail)
        return kErrorDdcData;
    valrec->mh = static_cast<uint8_t>(m.max >> 8);
    valrec->ml = static_cast<uint8_t>(m.max & 0xff);
    valrec->sh = static_cast<uint8_t>(m.cur >> 8);
    valrec->sl = static_cast<uint8_t>(m.cur & 0xff);
    return 0;
}
#endif

#ifndef FAKE_DDCUTIL_WITHOUT_SET
__attribute__((visibility("default"))) DDCA_Status
ddca_set_non_table_vcp_value(DDCA_Display_Handle ddca_dh, DDCA_Vcp_Feature_Code feature_code,
                             uint8_t hi_byte, uint8_t lo_byte)
{
    busDelay();
    passGate();
    State state = load();
    const int index = static_cast<Handle *>(ddca_dh)->index;
    Monitor &m = state.monitors.at(index);
    if (feature_code != 0x10 || m.setFail)
        return kErrorDdcData;
    m.cur = (hi_byte << 8) | lo_byte;
    ++m.sets;
    save(state);
    return 0;
}
#endif

} // extern "C"
