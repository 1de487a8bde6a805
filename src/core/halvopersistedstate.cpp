#include "core/halvopersistedstate.h"

#include <QByteArrayView>
#include <QCborValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

namespace {

QJsonObject presetToJson(const HalvoPreset &preset)
{
    QJsonObject object;
    object.insert(QLatin1String("id"), preset.id);
    object.insert(QLatin1String("name"), preset.name);
    object.insert(QLatin1String("temperature"), QJsonValue(preset.temperature));
    object.insert(QLatin1String("saturation"), QJsonValue(preset.saturation));
    if (preset.brightness)
        object.insert(QLatin1String("brightness"), QJsonValue(*preset.brightness));
    object.insert(QLatin1String("isCustom"), preset.isCustom);
    object.insert(QLatin1String("defaultTemperature"), QJsonValue(preset.defaultTemperature));
    object.insert(QLatin1String("defaultSaturation"), QJsonValue(preset.defaultSaturation));
    if (preset.defaultBrightness)
        object.insert(QLatin1String("defaultBrightness"), QJsonValue(*preset.defaultBrightness));
    return object;
}

QJsonObject scheduleToJson(const DailySchedule &schedule)
{
    QJsonObject object;
    object.insert(QLatin1String("enabled"), schedule.enabled);
    object.insert(QLatin1String("time1"), schedule.time1);
    object.insert(QLatin1String("preset1ID"), schedule.preset1ID);
    object.insert(QLatin1String("time2"), schedule.time2);
    object.insert(QLatin1String("preset2ID"), schedule.preset2ID);
    return object;
}

QJsonObject markerToJson(const ScheduleEventMarker &marker)
{
    QJsonObject object;
    object.insert(QLatin1String("eventEpochMinutes"), QJsonValue(marker.eventEpochMinutes));
    object.insert(QLatin1String("presetID"), marker.presetID);
    return object;
}

bool isNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

bool isIntegerLiteral(QByteArrayView token)
{
    qsizetype i = token.startsWith('-') ? 1 : 0;
    if (i == token.size())
        return false;
    if (token.at(i) == '0' && token.size() > i + 1)
        return false;
    for (; i < token.size(); ++i) {
        if (token.at(i) < '0' || token.at(i) > '9')
            return false;
    }
    bool inRange = false;
    (void)token.toLongLong(&inRange);
    return inRange;
}

bool qtAcceptsNumber(QByteArrayView token)
{
    QJsonParseError error;
    QJsonDocument::fromJson("[" + token.toByteArray() + "]", &error);
    return error.error == QJsonParseError::NoError;
}

// Qt's parser stores every integral number as an integer, so 30.0 and 1e3
// would pass for integers. Before parsing, every number literal that is not
// a plain in-range integer is replaced by 0.5, which Qt keeps as a double:
// integer fields then reject it, other fields reject any number, unknown keys
// ignore it. Only literals Qt itself accepts are replaced, so the document's
// validity does not change.
QByteArray markNonIntegerNumbers(const QByteArray &json)
{
    QByteArray out;
    out.reserve(json.size());
    const qsizetype size = json.size();
    qsizetype i = 0;
    while (i < size) {
        const char c = json.at(i);
        if (c == '"') {
            const qsizetype start = i++;
            while (i < size && json.at(i) != '"')
                i += json.at(i) == '\\' ? 2 : 1;
            i = qMin(i + 1, size);
            out.append(json.constData() + start, i - start);
        } else if ((c >= '0' && c <= '9') || c == '-' || c == '.') {
            const qsizetype start = i;
            while (i < size && isNumberChar(json.at(i)))
                ++i;
            const QByteArrayView token(json.constData() + start, i - start);
            out.append(!isIntegerLiteral(token) && qtAcceptsNumber(token) ? QByteArrayView("0.5") : token);
        } else {
            out.append(c);
            ++i;
        }
    }
    return out;
}

bool isAbsent(const QJsonValue &value)
{
    return value.isUndefined() || value.isNull();
}

bool readInteger(const QJsonValue &value, qint64 *out)
{
    const QCborValue number = QCborValue::fromJsonValue(value);
    if (!number.isInteger())
        return false;
    *out = number.toInteger();
    return true;
}

bool readOptionalInteger(const QJsonValue &value, std::optional<qint64> *out)
{
    if (isAbsent(value)) {
        out->reset();
        return true;
    }
    qint64 number = 0;
    if (!readInteger(value, &number))
        return false;
    *out = number;
    return true;
}

bool readString(const QJsonValue &value, QString *out)
{
    if (!value.isString())
        return false;
    *out = value.toString();
    return true;
}

bool readBool(const QJsonValue &value, bool *out)
{
    if (!value.isBool())
        return false;
    *out = value.toBool();
    return true;
}

// "brightness" and "defaultBrightness" set to null read as absent, like a
// missing key; every other preset key is required and must not be null.
std::optional<HalvoPreset> presetFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    HalvoPreset preset;
    const auto key = [&object](const char *name) { return object.value(QLatin1String(name)); };
    if (!readString(key("id"), &preset.id) || !readString(key("name"), &preset.name)
        || !readInteger(key("temperature"), &preset.temperature)
        || !readInteger(key("saturation"), &preset.saturation)
        || !readOptionalInteger(key("brightness"), &preset.brightness)
        || !readBool(key("isCustom"), &preset.isCustom)
        || !readInteger(key("defaultTemperature"), &preset.defaultTemperature)
        || !readInteger(key("defaultSaturation"), &preset.defaultSaturation)
        || !readOptionalInteger(key("defaultBrightness"), &preset.defaultBrightness)) {
        return std::nullopt;
    }
    return preset;
}

std::optional<DailySchedule> scheduleFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    DailySchedule schedule;
    const auto key = [&object](const char *name) { return object.value(QLatin1String(name)); };
    if (!readBool(key("enabled"), &schedule.enabled) || !readString(key("time1"), &schedule.time1)
        || !readString(key("preset1ID"), &schedule.preset1ID)
        || !readString(key("time2"), &schedule.time2)
        || !readString(key("preset2ID"), &schedule.preset2ID)) {
        return std::nullopt;
    }
    return schedule;
}

std::optional<ScheduleEventMarker> markerFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    ScheduleEventMarker marker;
    if (!readInteger(object.value(QLatin1String("eventEpochMinutes")), &marker.eventEpochMinutes)
        || !readString(object.value(QLatin1String("presetID")), &marker.presetID)) {
        return std::nullopt;
    }
    return marker;
}

} // namespace

QByteArray HalvoPersistedState::toJson() const
{
    QJsonArray presetArray;
    for (const HalvoPreset &preset : presets)
        presetArray.append(presetToJson(preset));

    // QJsonObject keeps its keys sorted, which gives the file its key order.
    QJsonObject object;
    object.insert(QLatin1String("activeModeID"), activeModeID);
    object.insert(QLatin1String("presets"), presetArray);
    object.insert(QLatin1String("hiddenPresetIDs"), QJsonArray::fromStringList(hiddenPresetIDs));
    object.insert(QLatin1String("schedule"), scheduleToJson(schedule));
    if (lastScheduleMarker)
        object.insert(QLatin1String("lastScheduleMarker"), markerToJson(*lastScheduleMarker));
    object.insert(QLatin1String("animationEnabled"), animationEnabled);
    object.insert(QLatin1String("opticalRefractionEnabled"), opticalRefractionEnabled);
    if (brightnessBaseline)
        object.insert(QLatin1String("brightnessBaseline"), QJsonValue(*brightnessBaseline));
    object.insert(QLatin1String("hasCompletedOnboarding"), hasCompletedOnboarding);

    // Outside strings the writer emits only punctuation, white space, digits
    // and literals, and its escapes and UTF-8 sequences never contain the
    // byte '/'; so every '/' is a literal slash inside a string.
    QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Indented);
    json.replace('/', QByteArrayView("\\/"));
    return json;
}

std::optional<HalvoPersistedState> HalvoPersistedState::fromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(markNonIntegerNumbers(json), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const auto key = [&object](const char *name) { return object.value(QLatin1String(name)); };

    HalvoPersistedState state;

    if (const QJsonValue value = key("activeModeID"); !isAbsent(value) && !readString(value, &state.activeModeID))
        return std::nullopt;

    if (const QJsonValue value = key("presets"); !isAbsent(value)) {
        if (!value.isArray())
            return std::nullopt;
        const QJsonArray array = value.toArray();
        state.presets.clear();
        state.presets.reserve(array.size());
        for (const QJsonValue &element : array) {
            std::optional<HalvoPreset> preset = presetFromJson(element);
            if (!preset)
                return std::nullopt;
            state.presets.append(std::move(*preset));
        }
    }

    if (const QJsonValue value = key("hiddenPresetIDs"); !isAbsent(value)) {
        if (!value.isArray())
            return std::nullopt;
        const QJsonArray array = value.toArray();
        for (const QJsonValue &element : array) {
            if (!element.isString())
                return std::nullopt;
            state.hiddenPresetIDs.append(element.toString());
        }
    }

    if (const QJsonValue value = key("schedule"); !isAbsent(value)) {
        std::optional<DailySchedule> schedule = scheduleFromJson(value);
        if (!schedule)
            return std::nullopt;
        state.schedule = std::move(*schedule);
    }

    if (const QJsonValue value = key("lastScheduleMarker"); !isAbsent(value)) {
        state.lastScheduleMarker = markerFromJson(value);
        if (!state.lastScheduleMarker)
            return std::nullopt;
    }

    if (!readOptionalInteger(key("brightnessBaseline"), &state.brightnessBaseline))
        return std::nullopt;

    const struct {
        const char *name;
        bool *field;
    } switches[] = {
        {"animationEnabled", &state.animationEnabled},
        {"opticalRefractionEnabled", &state.opticalRefractionEnabled},
        {"hasCompletedOnboarding", &state.hasCompletedOnboarding},
    };
    for (const auto &entry : switches) {
        if (const QJsonValue value = key(entry.name); !isAbsent(value) && !readBool(value, entry.field))
            return std::nullopt;
    }

    return state;
}
