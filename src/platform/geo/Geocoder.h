#pragma once

#include "platform/contacts/VCardReader.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <deque>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace geo {

// A place a search found: its text and its position.
struct Place
{
    QString name;
    double latitude = 0.0;
    double longitude = 0.0;

    bool operator==(const Place&) const = default;
};

// Map search and geocoding over a Nominatim-compatible HTTP service. The service is shared
// and asks its users for restraint, so requests go out one at a time, at most one per
// second, a newer search replaces an older one that has not finished, and answers are kept
// for the rest of the run. Whatever goes wrong (no network, an error page, a malformed
// answer, no answer at all) ends as "failed" for the caller and is never shown.
class Geocoder : public QObject
{
    Q_OBJECT

public:
    // Called once per request with whether the service answered usefully and what it found.
    using Handler = std::function<void(bool ok, const QList<Place>& places)>;

    // `baseAddress` is asked at every request, so a changed preference counts at once; an
    // empty answer means the default service.
    explicit Geocoder(std::function<QString()> baseAddress, QObject* parent = nullptr);
    ~Geocoder() override;

    static QString defaultBaseAddress();
    static QByteArray userAgent();

    void setTimeout(int milliseconds) { m_timeout = milliseconds; }
    void setMinimumInterval(int milliseconds) { m_interval = milliseconds; }

    // Places matching free text. Cancels the search before it, whose handler is then never
    // called. Empty or all-space text asks nothing and finds nothing.
    void search(const QString& text, Handler handler);
    void cancelSearch();
    bool isSearching() const;
    // The position of a postal address, through the service's structured query.
    void geocodeAddress(const contacts::PostalAddress& address, Handler handler);

    QUrl searchUrl(const QString& text) const;
    QUrl addressUrl(const contacts::PostalAddress& address) const;
    // The places of an answer; false for anything but a JSON array. Entries without a usable
    // position are left out.
    static QList<Place> parseAnswer(const QByteArray& json, bool* ok);

private:
    struct Job
    {
        QUrl url;
        Handler handler;
        bool isSearch = false;
    };

    void enqueue(Job job);
    void dispatch();
    void finished(QNetworkReply* reply);
    void answerLater(Handler handler, bool ok, QList<Place> places, bool isSearch);
    QUrl endpoint() const;

    std::function<QString()> m_baseAddress;
    QNetworkAccessManager* m_network = nullptr;
    std::deque<Job> m_queue;
    QPointer<QNetworkReply> m_running;
    Job m_runningJob;
    QHash<QUrl, QList<Place>> m_cache;
    QElapsedTimer m_sinceLast;
    QTimer m_wait;
    int m_timeout = 15000;
    int m_interval = 1000;
    // Counts searches, so that an answer queued for a replaced search is dropped.
    quint64 m_searchGeneration = 0;
};

} // namespace geo
