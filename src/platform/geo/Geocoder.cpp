#include "platform/geo/Geocoder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>
#include <cmath>
#include <optional>

namespace geo {

namespace {

// No answer a geocoder gives for one query is this large; a larger one is no answer.
constexpr qint64 kMaxAnswerBytes = 4 * 1024 * 1024;
constexpr int kSearchLimit = 10;

QByteArray queryItem(const char* key, const QString& value)
{
    // Every character outside the unreserved set is encoded: "+" would otherwise read as a
    // space and "&" or "#" would cut the query.
    return QByteArray(key) + '=' + QUrl::toPercentEncoding(value);
}

std::optional<double> coordinate(const QJsonValue& value)
{
    double number = 0.0;
    if (value.isDouble()) {
        number = value.toDouble();
    } else if (value.isString()) {
        bool ok = false;
        number = QLocale::c().toDouble(value.toString().trimmed(), &ok);
        if (!ok)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

QString oneLine(const QString& text)
{
    QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (QString& line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    return lines.join(QStringLiteral(", "));
}

} // namespace

Geocoder::Geocoder(std::function<QString()> baseAddress, QObject* parent)
    : QObject(parent)
    , m_baseAddress(std::move(baseAddress))
    , m_network(new QNetworkAccessManager(this))
{
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, &Geocoder::dispatch);
}

Geocoder::~Geocoder()
{
    m_queue.clear();
    if (m_running) {
        m_runningJob.handler = nullptr;
        m_running->abort();
    }
}

QString Geocoder::defaultBaseAddress()
{
    return QStringLiteral("https://nominatim.openstreetmap.org");
}

QByteArray Geocoder::userAgent()
{
    return QByteArrayLiteral("Velmoran/" VELMORAN_VERSION);
}

QUrl Geocoder::endpoint() const
{
    QString base = m_baseAddress ? m_baseAddress().trimmed() : QString();
    if (base.isEmpty())
        base = defaultBaseAddress();
    QUrl url(base, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return {};
    QString path = url.path();
    while (path.endsWith(u'/'))
        path.chop(1);
    url.setPath(path + QStringLiteral("/search"));
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

QUrl Geocoder::searchUrl(const QString& text) const
{
    QUrl url = endpoint();
    if (url.isEmpty() || text.trimmed().isEmpty())
        return {};
    const QByteArray query = "format=jsonv2&limit=" + QByteArray::number(kSearchLimit) + '&' +
                             queryItem("q", text.trimmed());
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

QUrl Geocoder::addressUrl(const contacts::PostalAddress& address) const
{
    QUrl url = endpoint();
    if (url.isEmpty())
        return {};
    const std::pair<const char*, QString> parts[] = {{"street", oneLine(address.street)},
                                                     {"city", oneLine(address.locality)},
                                                     {"state", oneLine(address.region)},
                                                     {"postalcode", oneLine(address.postalCode)},
                                                     {"country", oneLine(address.country)}};
    QByteArray query = "format=jsonv2&limit=1";
    bool any = false;
    for (const auto& [key, value] : parts) {
        if (value.isEmpty())
            continue;
        query += '&' + queryItem(key, value);
        any = true;
    }
    // A card with only a delivery label is searched as free text.
    if (!any) {
        const QString label = oneLine(address.labelText);
        if (label.isEmpty())
            return {};
        query += '&' + queryItem("q", label);
    }
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

QList<Place> Geocoder::parseAnswer(const QByteArray& json, bool* ok)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    *ok = error.error == QJsonParseError::NoError && document.isArray();
    QList<Place> places;
    if (!*ok)
        return places;
    for (const QJsonValue& entry : document.array()) {
        const QJsonObject object = entry.toObject();
        const std::optional<double> latitude = coordinate(object.value(QLatin1String("lat")));
        const std::optional<double> longitude = coordinate(object.value(QLatin1String("lon")));
        if (!latitude || !longitude || std::abs(*latitude) > 90.0 || std::abs(*longitude) > 180.0)
            continue;
        // The full name tells apart the many places that share a short one.
        QString name = object.value(QLatin1String("display_name")).toString().trimmed();
        if (name.isEmpty())
            name = object.value(QLatin1String("name")).toString().trimmed();
        if (name.isEmpty())
            continue;
        places << Place{name, *latitude, *longitude};
    }
    return places;
}

void Geocoder::search(const QString& text, Handler handler)
{
    cancelSearch();
    const QUrl url = searchUrl(text);
    if (url.isEmpty()) {
        answerLater(std::move(handler), text.trimmed().isEmpty(), {}, true);
        return;
    }
    if (m_cache.contains(url)) {
        answerLater(std::move(handler), true, m_cache.value(url), true);
        return;
    }
    enqueue(Job{url, std::move(handler), true});
}

void Geocoder::cancelSearch()
{
    ++m_searchGeneration;
    std::erase_if(m_queue, [](const Job& job) { return job.isSearch; });
    if (m_running && m_runningJob.isSearch) {
        m_runningJob.handler = nullptr;
        m_running->abort();
    }
}

bool Geocoder::isSearching() const
{
    if (m_running && m_runningJob.isSearch)
        return true;
    return std::any_of(m_queue.cbegin(), m_queue.cend(),
                       [](const Job& job) { return job.isSearch; });
}

void Geocoder::geocodeAddress(const contacts::PostalAddress& address, Handler handler)
{
    const QUrl url = addressUrl(address);
    if (url.isEmpty()) {
        answerLater(std::move(handler), true, {}, false);
        return;
    }
    if (m_cache.contains(url)) {
        answerLater(std::move(handler), true, m_cache.value(url), false);
        return;
    }
    enqueue(Job{url, std::move(handler), false});
}

void Geocoder::answerLater(Handler handler, bool ok, QList<Place> places, bool isSearch)
{
    const quint64 generation = m_searchGeneration;
    QTimer::singleShot(
        0, this,
        [this, handler = std::move(handler), ok, places = std::move(places), isSearch, generation] {
            if (isSearch && generation != m_searchGeneration)
                return;
            if (handler)
                handler(ok, places);
        });
}

void Geocoder::enqueue(Job job)
{
    m_queue.push_back(std::move(job));
    dispatch();
}

void Geocoder::dispatch()
{
    if (m_running || m_queue.empty() || m_wait.isActive())
        return;
    if (m_sinceLast.isValid() && m_sinceLast.elapsed() < m_interval) {
        m_wait.start(int(m_interval - m_sinceLast.elapsed()));
        return;
    }
    Job job = std::move(m_queue.front());
    m_queue.pop_front();
    if (m_cache.contains(job.url)) {
        answerLater(std::move(job.handler), true, m_cache.value(job.url), job.isSearch);
        dispatch();
        return;
    }
    QNetworkRequest request(job.url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setRawHeader("Accept", "application/json");
    request.setRawHeader("Accept-Language", QLocale().uiLanguages().join(u',').toUtf8());
    request.setTransferTimeout(m_timeout);
    m_runningJob = std::move(job);
    m_sinceLast.start();
    QNetworkReply* reply = m_network->get(request);
    m_running = reply;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxAnswerBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
}

void Geocoder::finished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_running)
        return;
    Job job = std::move(m_runningJob);
    m_runningJob = Job{};
    m_running = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
    QList<Place> places;
    if (ok)
        places = parseAnswer(reply->readAll(), &ok);
    if (ok)
        m_cache.insert(job.url, places);
    if (job.handler)
        job.handler(ok, places);
    dispatch();
}

} // namespace geo
