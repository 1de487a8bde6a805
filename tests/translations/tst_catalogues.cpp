#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Message {
    QString source;
    QString translation;
    QString type; // "", "unfinished", "vanished" or "obsolete"
};

// context + "\x1f" + source + "\x1f" + comment, as lupdate tells messages apart.
using Catalogue = QHash<QString, Message>;

Catalogue readCatalogue(const QString &path)
{
    Catalogue messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    QString comment;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            if (xml.isEndElement() && xml.name() == QLatin1String("message"))
                messages.insert(context + u'\x1f' + message.source + u'\x1f' + comment, message);
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = {};
            comment.clear();
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("comment")) {
            comment = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return messages;
}

// The placeholders a text fills in, sorted: "%1", "%L2", "%n".
QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%(L?[0-9]{1,2}|n)"));
    QStringList found;
    for (const QRegularExpressionMatch &match : marker.globalMatch(text))
        found.append(match.captured(0));
    found.sort();
    return found;
}

} // namespace

// Each catalogue in translations/ against what lupdate finds in the sources
// now: a complete language translates every text, no catalogue keeps a text
// the sources no longer have, and every translation fills in the same
// placeholders as its source.
class TestCatalogues : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void catalogueMatchesTheSources_data();
    void catalogueMatchesTheSources();

private:
    QTemporaryDir m_dir;
    Catalogue m_current;
};

void TestCatalogues::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString fresh = m_dir.filePath(QStringLiteral("fresh.ts"));
    QProcess lupdate;
    lupdate.start(QStringLiteral(HALVOSCOPE_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("@" HALVOSCOPE_SOURCES_LIST), QStringLiteral("-ts"), fresh});
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitCode(), 0);
    m_current = readCatalogue(fresh);
    QVERIFY2(m_current.size() > 100, "lupdate found too few texts in the sources");
}

void TestCatalogues::catalogueMatchesTheSources_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("complete");
    const QStringList complete = QStringLiteral(HALVOSCOPE_COMPLETE_LANGUAGES).split(u',');
    const QDir folder(QStringLiteral(HALVOSCOPE_TS_DIR));
    const QStringList files = folder.entryList({QStringLiteral("halvoscope_*.ts")}, QDir::Files);
    QVERIFY(files.size() >= complete.size());
    for (const QString &file : files) {
        const QString language = file.mid(11, file.size() - 14);
        QTest::newRow(qPrintable(language)) << folder.filePath(file) << complete.contains(language);
    }
}

void TestCatalogues::catalogueMatchesTheSources()
{
    QFETCH(QString, path);
    QFETCH(bool, complete);
    const Catalogue catalogue = readCatalogue(path);
    QStringList faults;
    for (auto it = m_current.cbegin(); it != m_current.cend(); ++it) {
        const auto found = catalogue.constFind(it.key());
        if (found == catalogue.cend()) {
            faults.append(QStringLiteral("missing: ") + it->source);
            continue;
        }
        const bool finished = found->type.isEmpty() && !found->translation.isEmpty();
        if (complete && !finished)
            faults.append(QStringLiteral("unfinished: ") + it->source);
        if (finished && placeholders(found->translation) != placeholders(it->source))
            faults.append(QStringLiteral("placeholders differ: ") + it->source + QStringLiteral(" → ")
                          + found->translation);
    }
    for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it) {
        if (!m_current.contains(it.key()))
            faults.append(QStringLiteral("no longer in the sources: ") + it->source);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
