#include "update/updatechecker.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringView>

#include <limits>

#ifndef HALVOSCOPE_VERSION
#define HALVOSCOPE_VERSION ""
#endif
#ifndef HALVOSCOPE_UPDATE_FEED_URL
#define HALVOSCOPE_UPDATE_FEED_URL "https://corvanta.com/updates.json"
#endif

namespace {

// A piece is an optional sign and decimal digits that fit in 64 bits; anything
// else ("0-beta", "v2", " 1", an overflowing number) counts as 0.
qint64 versionPiece(QStringView piece)
{
    qsizetype i = 0;
    const bool negative = piece.startsWith(QLatin1Char('-'));
    if (negative || piece.startsWith(QLatin1Char('+')))
        i = 1;
    if (i == piece.size())
        return 0;

    quint64 magnitude = 0;
    for (; i < piece.size(); ++i) {
        const char16_t c = piece[i].unicode();
        if (c < u'0' || c > u'9')
            return 0;
        if (__builtin_mul_overflow(magnitude, quint64(10), &magnitude)
            || __builtin_add_overflow(magnitude, quint64(c - u'0'), &magnitude))
            return 0;
    }
    const quint64 largest = quint64(std::numeric_limits<qint64>::max());
    if (magnitude > largest + (negative ? 1 : 0))
        return 0;
    return negative ? qint64(quint64(0) - magnitude) : qint64(magnitude);
}

QList<qint64> versionPieces(const QString &version)
{
    QList<qint64> pieces;
    const auto parts = QStringView(version).split(QLatin1Char('.'), Qt::SkipEmptyParts);
    for (QStringView part : parts)
        pieces.append(versionPiece(part));
    return pieces;
}

} // namespace

UpdateChecker::UpdateChecker(std::shared_ptr<UpdateAlertPresenter> presenter, QObject *parent)
    : UpdateChecker(defaultFeedURL(), std::move(presenter), parent)
{
}

UpdateChecker::UpdateChecker(const QUrl &feedURL, std::shared_ptr<UpdateAlertPresenter> presenter,
                             QObject *parent)
    : UpdateChecking(parent)
    , m_feedURL(feedURL)
    , m_presenter(std::move(presenter))
    , m_network(new QNetworkAccessManager(this))
{
    // Never follow a redirect from HTTPS down to plain HTTP.
    m_network->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (m_reply)
            abandonReply();
    });
}

UpdateChecker::~UpdateChecker()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QUrl UpdateChecker::defaultFeedURL()
{
    return QUrl(QStringLiteral(HALVOSCOPE_UPDATE_FEED_URL));
}

QString UpdateChecker::currentVersion()
{
    const QString version = QStringLiteral(HALVOSCOPE_VERSION);
    return version.isEmpty() ? QStringLiteral("1.0.0") : version;
}

bool UpdateChecker::isNewerVersion(const QString &candidate, const QString &current)
{
    const QList<qint64> a = versionPieces(candidate);
    const QList<qint64> b = versionPieces(current);
    const qsizetype length = std::max(a.size(), b.size());
    for (qsizetype i = 0; i < length; ++i) {
        const qint64 x = i < a.size() ? a[i] : 0;
        const qint64 y = i < b.size() ? b[i] : 0;
        if (x != y)
            return x > y;
    }
    return false;
}

void UpdateChecker::setState(const UpdateCheckState &state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

void UpdateChecker::deleteWhenFinished()
{
    if (isChecking())
        m_deleteWhenFinished = true;
    else
        deleteLater();
}

void UpdateChecker::checkForUpdates(bool userInitiated)
{
    if (isChecking())
        return;
    m_userInitiated = userInitiated;
    m_body.clear();
    setState(UpdateCheckState::checking());

    QNetworkRequest request(m_feedURL);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Halvoscope/") + currentVersion());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);

    m_reply = m_network->get(request);
    m_deadline.start(m_transferTimeout);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > maximumBodySize)
            abandonReply();
    });
    connect(m_reply, &QNetworkReply::redirected, this, [this] { m_body.clear(); });
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateChecker::readBody);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateChecker::finishReply);
}

void UpdateChecker::readBody()
{
    if (!m_reply->isOpen()) // closed by a transfer error
        return;
    if (m_body.size() + m_reply->bytesAvailable() > maximumBodySize) {
        abandonReply();
        return;
    }
    m_body += m_reply->readAll();
}

void UpdateChecker::finishReply()
{
    readBody();
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    m_deadline.stop();
    reply->disconnect(this);
    reply->deleteLater();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool statusOk = !status.isValid() || (status.toInt() >= 200 && status.toInt() <= 299);
    std::optional<AppUpdateManifest> manifest;
    if (reply->error() == QNetworkReply::NoError && statusOk)
        manifest = AppUpdateManifest::fromJson(m_body);
    m_body.clear();

    UpdateCheckState outcome = UpdateCheckState::error(failureMessage());
    if (manifest) {
        outcome = isNewerVersion(manifest->version, currentVersion())
                      ? UpdateCheckState::updateAvailable(*manifest)
                      : UpdateCheckState::upToDate(currentVersion());
    }
    // The alert runs a modal loop; start it from a fresh turn of the event loop
    // rather than from inside the network reply's signal.
    QMetaObject::invokeMethod(
        this, [this, outcome] { complete(outcome); }, Qt::QueuedConnection);
}

// An oversized or overdue answer: stop reading at once instead of waiting for
// the rest. Ends as any other failure to reach the feed.
void UpdateChecker::abandonReply()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    m_deadline.stop();
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    m_body.clear();
    const UpdateCheckState outcome = UpdateCheckState::error(failureMessage());
    QMetaObject::invokeMethod(
        this, [this, outcome] { complete(outcome); }, Qt::QueuedConnection);
}

void UpdateChecker::complete(UpdateCheckState outcome)
{
    setState(outcome);

    if (m_userInitiated && m_presenter) {
        // The presenter's modal loop may end this checker (its page closed);
        // the shared presenter and the copied outcome outlive it.
        const std::shared_ptr<UpdateAlertPresenter> presenter = m_presenter;
        const QPointer<UpdateChecker> self(this);
        switch (outcome.kind()) {
        case UpdateCheckState::Kind::UpdateAvailable:
            if (presenter->present(UpdateAlert::updateAvailable(*outcome.manifest(), currentVersion())) == 0)
                presenter->openUrl(outcome.manifest()->downloadUrl);
            break;
        case UpdateCheckState::Kind::UpToDate:
            presenter->present(UpdateAlert::upToDate(currentVersion()));
            break;
        default:
            presenter->present(UpdateAlert::failure(outcome.message()));
            break;
        }
        if (!self)
            return;
    }

    if (m_deleteWhenFinished && !isChecking())
        deleteLater();
}

QString UpdateChecker::failureMessage() const
{
    //: %1 is the update server's host name.
    return tr("Unable to reach %1. Check your internet connection and try again.").arg(m_feedURL.host());
}
