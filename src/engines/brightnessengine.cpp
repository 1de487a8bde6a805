#include "engines/brightnessengine.h"

#include <algorithm>
#include <cmath>

namespace {

// Output names differ between X drivers ("eDP-1" from modesetting, "eDP1"
// from the Intel driver) while the kernel always says "eDP-1".
QString comparableOutputName(const QString &name)
{
    QString out = name.toLower();
    out.remove(QLatin1Char('-'));
    return out;
}

// Identifiers compare with their digit runs as numbers, so "ddc:i2c-9" comes
// before "ddc:i2c-10".
bool identifierLess(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype iEnd = i;
            qsizetype jEnd = j;
            while (iEnd < a.size() && a[iEnd].isDigit())
                ++iEnd;
            while (jEnd < b.size() && b[jEnd].isDigit())
                ++jEnd;
            QStringView da = QStringView(a).mid(i, iEnd - i);
            QStringView db = QStringView(b).mid(j, jEnd - j);
            while (da.size() > 1 && da.front() == QLatin1Char('0'))
                da = da.mid(1);
            while (db.size() > 1 && db.front() == QLatin1Char('0'))
                db = db.mid(1);
            if (da.size() != db.size())
                return da.size() < db.size();
            if (const int c = da.compare(db); c != 0)
                return c < 0;
            i = iEnd;
            j = jEnd;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace

BrightnessEngine::BrightnessEngine(std::vector<std::unique_ptr<BrightnessDisplaySource>> sources,
                                   std::function<QString()> primaryOutputName)
    : m_sources(std::move(sources))
    , m_primaryOutputName(std::move(primaryOutputName))
{
}

BrightnessEngine::~BrightnessEngine() = default;

std::vector<std::unique_ptr<BrightnessDisplay>> BrightnessEngine::candidateDisplays()
{
    std::vector<std::unique_ptr<BrightnessDisplay>> displays;
    for (const auto &source : m_sources) {
        for (auto &display : source->displays()) {
            if (display)
                displays.push_back(std::move(display));
        }
    }

    std::stable_sort(displays.begin(), displays.end(), [](const auto &a, const auto &b) {
        if (a->isBuiltIn() != b->isBuiltIn())
            return a->isBuiltIn();
        return identifierLess(a->id(), b->id());
    });

    // Without a known primary output the first built-in panel is the main
    // display, and the sort has already put it first.
    const QString primary = m_primaryOutputName ? m_primaryOutputName() : QString();
    if (!primary.isEmpty()) {
        const QString wanted = comparableOutputName(primary);
        const auto main = std::find_if(displays.begin(), displays.end(), [&](const auto &d) {
            const QString connector = d->connector();
            return !connector.isEmpty() && comparableOutputName(connector) == wanted;
        });
        if (main != displays.end())
            std::rotate(displays.begin(), main, main + 1);
    }
    return displays;
}

std::optional<qint64> BrightnessEngine::percentFromReading(double value)
{
    if (!(value >= 0.0 && value <= 1.001))
        return std::nullopt;
    // A fraction made from two integers (285 / 1000) can land a hair below
    // the half it stands for; the tolerance keeps such halves rounding up.
    const double percent = std::floor(value * 100.0 + 0.5 + 1e-9);
    return std::clamp<qint64>(static_cast<qint64>(percent), 1, 100);
}

std::optional<qint64> BrightnessEngine::readBrightness()
{
    for (const auto &display : candidateDisplays()) {
        if (!display->canChange())
            continue;
        if (const auto value = display->read()) {
            if (const auto percent = percentFromReading(*value))
                return percent;
        }
    }
    return std::nullopt;
}

bool BrightnessEngine::setBrightness(qint64 percent)
{
    const double fraction = static_cast<double>(std::clamp<qint64>(percent, 1, 100)) / 100.0;
    bool accepted = false;
    for (const auto &display : candidateDisplays()) {
        if (!display->canChange())
            continue;
        if (display->write(fraction))
            accepted = true;
    }
    return accepted;
}
