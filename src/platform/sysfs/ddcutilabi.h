#pragma once

// The few parts of libddcutil's public C API that Halvoscope calls, declared
// here because the library is loaded at run time and its headers need not be
// installed. Layouts follow ddcutil_types.h of the two shipped ABIs:
// libddcutil.so.4 (ddcutil 1.x) and libddcutil.so.5 (ddcutil 2.x, which
// dropped the AMD ADL member from the I/O path union). Padding before the
// display reference absorbs that difference, so one declaration reads both;
// the static_asserts below hold that true.

#include <cstddef>
#include <cstdint>

namespace ddcutil_abi {

using Status = int;
using DisplayRef = void *;
using DisplayHandle = void *;

struct MccsVersionSpec {
    std::uint8_t major;
    std::uint8_t minor;
};

// DDCA_IO_Mode; ddcutil 2 removed ADL but kept the numbers.
enum IoMode : int { IoI2c = 0,
                    IoAdl = 1,
                    IoUsb = 2 };

struct NonTableVcpValue {
    std::uint8_t mh;
    std::uint8_t ml;
    std::uint8_t sh;
    std::uint8_t sl;
};

template <typename PathUnion>
struct DisplayInfo {
    char marker[4];
    int dispno;
    struct {
        IoMode io_mode;
        PathUnion path;
    } path;
    int usb_bus;
    int usb_device;
    char mfg_id[4];
    char model_name[14];
    char sn[14];
    std::uint16_t product_code;
    std::uint8_t edid_bytes[128];
    MccsVersionSpec vcp_version;
    DisplayRef dref;
};

union PathUnionV1 {
    int i2c_busno;
    struct {
        int iAdapterIndex;
        int iDisplayIndex;
    } adlno;
    int hiddev_devno;
};

union PathUnionV2 {
    int i2c_busno;
    int hiddev_devno;
};

using DisplayInfoV1 = DisplayInfo<PathUnionV1>;
using DisplayInfoV2 = DisplayInfo<PathUnionV2>;

static_assert(offsetof(DisplayInfoV1, path) == offsetof(DisplayInfoV2, path));
static_assert(offsetof(DisplayInfoV1, dref) == offsetof(DisplayInfoV2, dref));
static_assert(sizeof(DisplayInfoV1) == sizeof(DisplayInfoV2));

// DDCA_Display_Info_List: a count followed by that many entries, laid out
// as a C struct with a flexible array member.
template <typename Info>
struct DisplayInfoList {
    int ct;
    Info info[1];
};

using GetDisplayInfoList2Fn = Status (*)(bool includeInvalidDisplays, void **listLoc);
using FreeDisplayInfoListFn = void (*)(void *list);
using OpenDisplay2Fn = Status (*)(DisplayRef ref, bool wait, DisplayHandle *handleLoc);
using CloseDisplayFn = Status (*)(DisplayHandle handle);
using GetNonTableVcpValueFn = Status (*)(DisplayHandle handle, std::uint8_t featureCode,
                                         NonTableVcpValue *valueLoc);
using SetNonTableVcpValueFn = Status (*)(DisplayHandle handle, std::uint8_t featureCode,
                                         std::uint8_t hiByte, std::uint8_t loByte);

} // namespace ddcutil_abi
