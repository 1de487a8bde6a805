#include "xrandrprobe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>

XRandrProbe::XRandrProbe(const QByteArray &displayName)
    : m_display(XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData()))
{
    if (!m_display)
        return;
    m_ctmAtom = XInternAtom(m_display, "CTM", False);
    m_cscMatrixAtom = XInternAtom(m_display, "CscMatrix", False);
    for (int screen = 0; screen < ScreenCount(m_display); ++screen) {
        XRRScreenResources *resources = XRRGetScreenResourcesCurrent(m_display, RootWindow(m_display, screen));
        if (!resources)
            continue;
        if (resources->ncrtc > 0 && resources->noutput > 0) {
            Head head;
            head.screen = screen;
            head.crtc = resources->crtcs[0];
            head.output = resources->outputs[0];
            XRRCrtcInfo *crtc = XRRGetCrtcInfo(m_display, resources, head.crtc);
            head.mode = crtc->mode;
            XRRFreeCrtcInfo(crtc);
            XRROutputInfo *output = XRRGetOutputInfo(m_display, resources, head.output);
            const QString suffix = screen == 0 ? QString() : QStringLiteral("@%1").arg(screen);
            head.outputKey = QString::fromUtf8(output->name, output->nameLen) + suffix;
            head.crtcKey = QStringLiteral("crtc0") + suffix;
            XRRFreeOutputInfo(output);
            m_heads.append(head);
        }
        XRRFreeScreenResources(resources);
    }
}

XRandrProbe::~XRandrProbe()
{
    if (m_display)
        XCloseDisplay(m_display);
}

GammaRamp XRandrProbe::gamma(const Head &head) const
{
    GammaRamp ramp;
    XRRCrtcGamma *gamma = XRRGetCrtcGamma(m_display, head.crtc);
    if (!gamma)
        return ramp;
    ramp.red = QList<quint16>(gamma->red, gamma->red + gamma->size);
    ramp.green = QList<quint16>(gamma->green, gamma->green + gamma->size);
    ramp.blue = QList<quint16>(gamma->blue, gamma->blue + gamma->size);
    XRRFreeGamma(gamma);
    return ramp;
}

void XRandrProbe::setGamma(const Head &head, const GammaRamp &ramp)
{
    XRRCrtcGamma *gamma = XRRAllocGamma(int(ramp.size()));
    for (qsizetype i = 0; i < ramp.size(); ++i) {
        gamma->red[i] = ramp.red[i];
        gamma->green[i] = ramp.green[i];
        gamma->blue[i] = ramp.blue[i];
    }
    XRRSetCrtcGamma(m_display, head.crtc, gamma);
    XRRFreeGamma(gamma);
    XSync(m_display, False);
}

XRandrProbe::CtmItems XRandrProbe::identityCtm()
{
    CtmItems items{};
    items[1] = items[9] = items[17] = 1;
    return items;
}

void XRandrProbe::setCtm(const Head &head, const CtmItems &items)
{
    setRawCtm(head, QList<long>(items.cbegin(), items.cend()));
}

void XRandrProbe::setRawCtm(const Head &head, const QList<long> &items)
{
    XRRChangeOutputProperty(m_display, head.output, m_ctmAtom, XA_INTEGER, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(items.constData()), int(items.size()));
    XSync(m_display, False);
}

void XRandrProbe::restrictCtmRange(const Head &head, long maximum)
{
    long range[2] = {0, maximum};
    XRRConfigureOutputProperty(m_display, head.output, m_ctmAtom, False, True, 2, range);
    XSync(m_display, False);
}

void XRandrProbe::holdCtmPending(const Head &head)
{
    XRRConfigureOutputProperty(m_display, head.output, m_ctmAtom, True, False, 0, nullptr);
    XSync(m_display, False);
}

std::optional<XRandrProbe::CtmItems> XRandrProbe::ctm(const Head &head, bool pending) const
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    XRRGetOutputProperty(m_display, head.output, m_ctmAtom, 0, 64, False, pending ? True : False, AnyPropertyType,
                         &type, &format, &count, &remaining, &data);
    std::optional<CtmItems> items;
    if (type == XA_INTEGER && format == 32 && count == 18) {
        items.emplace();
        const long *values = reinterpret_cast<const long *>(data);
        for (int i = 0; i < 18; ++i)
            (*items)[i] = quint32(static_cast<unsigned long>(values[i]) & 0xffffffffu);
    }
    if (data)
        XFree(data);
    return items;
}

void XRandrProbe::deleteCtm(const Head &head)
{
    int count = 0;
    Atom *properties = XRRListOutputProperties(m_display, head.output, &count);
    for (Atom atom : {Atom(m_ctmAtom), Atom(m_cscMatrixAtom)}) {
        if (std::find(properties, properties + count, atom) != properties + count)
            XRRDeleteOutputProperty(m_display, head.output, atom);
    }
    XFree(properties);
    XSync(m_display, False);
}

void XRandrProbe::setCscMatrix(const Head &head, const QList<qint32> &items)
{
    const QList<long> values(items.cbegin(), items.cend());
    XRRChangeOutputProperty(m_display, head.output, m_cscMatrixAtom, XA_INTEGER, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(values.constData()), int(values.size()));
    XSync(m_display, False);
}

std::optional<QList<qint32>> XRandrProbe::cscMatrix(const Head &head) const
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    XRRGetOutputProperty(m_display, head.output, m_cscMatrixAtom, 0, 64, False, False, AnyPropertyType, &type,
                         &format, &count, &remaining, &data);
    std::optional<QList<qint32>> items;
    if (type == XA_INTEGER && format == 32) {
        const long *values = reinterpret_cast<const long *>(data);
        items.emplace();
        for (unsigned long i = 0; i < count; ++i)
            items->append(static_cast<qint32>(values[i]));
    }
    if (data)
        XFree(data);
    return items;
}

void XRandrProbe::disable(const Head &head)
{
    XRRScreenResources *resources = XRRGetScreenResourcesCurrent(m_display, RootWindow(m_display, head.screen));
    XRRSetCrtcConfig(m_display, resources, head.crtc, CurrentTime, 0, 0, None, RR_Rotate_0, nullptr, 0);
    XRRFreeScreenResources(resources);
    XSync(m_display, False);
}

void XRandrProbe::enable(const Head &head)
{
    XRRScreenResources *resources = XRRGetScreenResourcesCurrent(m_display, RootWindow(m_display, head.screen));
    RROutput output = head.output;
    XRRSetCrtcConfig(m_display, resources, head.crtc, CurrentTime, 0, 0, head.mode, RR_Rotate_0, &output, 1);
    XRRFreeScreenResources(resources);
    XSync(m_display, False);
}

void XRandrProbe::sync()
{
    XSync(m_display, False);
}

GammaRamp calibrationRamp(int size, double redPower, double greenPower, double bluePower)
{
    auto channel = [size](double power) {
        QList<quint16> values;
        for (int i = 0; i < size; ++i)
            values.append(quint16(std::lround(65535.0 * std::pow(double(i) / double(size - 1), power))));
        return values;
    };
    return GammaRamp{channel(redPower), channel(greenPower), channel(bluePower)};
}
