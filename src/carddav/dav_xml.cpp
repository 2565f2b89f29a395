#include "carddav/dav_xml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace velorine::carddav {
namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCard = QStringLiteral("urn:ietf:params:xml:ns:carddav");

bool is(const QXmlStreamReader& xml, const QString& ns, QStringView name) {
    return xml.namespaceUri() == ns && xml.name() == name;
}

// "HTTP/1.1 404 Not Found" is 404; 0 when it does not read.
int statusCodeOf(const QString& line) {
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    if (parts.size() < 2) return 0;
    bool ok = false;
    const int code = parts[1].toInt(&ok);
    return ok ? code : 0;
}

// The hrefs inside the current element, which is left at its end.
QStringList hrefsIn(QXmlStreamReader& xml) {
    QStringList hrefs;
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, u"href"))
            hrefs.append(xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed());
        else
            xml.skipCurrentElement();
    }
    return hrefs;
}

void readResourceType(QXmlStreamReader& xml, DavResource& into) {
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, u"collection")) into.isCollection = true;
        if (is(xml, kCard, u"addressbook")) into.isAddressBook = true;
        xml.skipCurrentElement();
    }
}

bool listsSyncCollection(QXmlStreamReader& xml) {
    bool found = false;
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, u"sync-collection")) found = true;
        if (is(xml, kDav, u"supported-report") || is(xml, kDav, u"report"))
            found = listsSyncCollection(xml) || found;
        else
            xml.skipCurrentElement();
    }
    return found;
}

// The properties of one <prop>, into `into`.
void readProperties(QXmlStreamReader& xml, DavResource& into) {
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, u"getetag"))
            into.etag = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        else if (is(xml, kDav, u"displayname"))
            into.displayName = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        else if (is(xml, kDav, u"resourcetype"))
            readResourceType(xml, into);
        else if (is(xml, kDav, u"current-user-principal")) {
            const QStringList hrefs = hrefsIn(xml);
            if (!hrefs.isEmpty()) into.principal = hrefs.front();
        } else if (is(xml, kCard, u"addressbook-home-set"))
            into.homeSets = hrefsIn(xml);
        else if (is(xml, kDav, u"supported-report-set"))
            into.offersSync = listsSyncCollection(xml);
        else if (is(xml, kCard, u"address-data"))
            into.addressData = xml.readElementText(QXmlStreamReader::SkipChildElements).toUtf8();
        else
            xml.skipCurrentElement();
    }
}

// One <propstat>: its properties count only when its status is a success.
void readPropstat(QXmlStreamReader& xml, DavResource& into) {
    DavResource found;
    int status = 200;
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, u"prop"))
            readProperties(xml, found);
        else if (is(xml, kDav, u"status"))
            status = statusCodeOf(xml.readElementText(QXmlStreamReader::SkipChildElements));
        else
            xml.skipCurrentElement();
    }
    if (status < 200 || status > 299) return;
    if (!found.etag.isEmpty()) into.etag = found.etag;
    if (!found.displayName.isEmpty()) into.displayName = found.displayName;
    into.isCollection = into.isCollection || found.isCollection;
    into.isAddressBook = into.isAddressBook || found.isAddressBook;
    if (!found.principal.isEmpty()) into.principal = found.principal;
    if (!found.homeSets.isEmpty()) into.homeSets = found.homeSets;
    into.offersSync = into.offersSync || found.offersSync;
    if (found.addressData) into.addressData = std::move(found.addressData);
}

DavResource readResponse(QXmlStreamReader& xml) {
    DavResource resource;
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, u"href") && resource.href.isEmpty())
            resource.href = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        else if (is(xml, kDav, u"status"))
            resource.status = statusCodeOf(xml.readElementText(QXmlStreamReader::SkipChildElements));
        else if (is(xml, kDav, u"propstat"))
            readPropstat(xml, resource);
        else
            xml.skipCurrentElement();
    }
    return resource;
}

class RequestWriter {
public:
    RequestWriter() : xml_(&bytes_) {
        xml_.writeStartDocument();
        xml_.writeNamespace(kDav, QStringLiteral("d"));
        xml_.writeNamespace(kCard, QStringLiteral("c"));
    }
    QXmlStreamWriter& operator*() { return xml_; }
    QXmlStreamWriter* operator->() { return &xml_; }
    void properties(std::initializer_list<std::pair<const QString*, const char*>> names) {
        xml_.writeStartElement(kDav, QStringLiteral("prop"));
        for (const auto& [ns, name] : names) xml_.writeEmptyElement(*ns, QString::fromLatin1(name));
        xml_.writeEndElement();
    }
    QByteArray finish() {
        xml_.writeEndDocument();
        return bytes_;
    }

private:
    QByteArray bytes_;
    QXmlStreamWriter xml_;
};

}  // namespace

MultistatusReading readMultistatus(const QByteArray& body, int mostResponses) {
    QXmlStreamReader xml(body);
    Multistatus multistatus;
    if (!xml.readNextStartElement() || !is(xml, kDav, u"multistatus")) {
        if (xml.hasError())
            return {std::nullopt,
                    "la réponse du serveur n'est pas du XML lisible (ligne " + std::to_string(xml.lineNumber()) + ")"};
        return {std::nullopt, "la réponse du serveur n'est pas une réponse WebDAV (multistatus)"};
    }
    while (xml.readNextStartElement()) {
        if (is(xml, kDav, u"response")) {
            if (static_cast<int>(multistatus.responses.size()) >= mostResponses)
                return {std::nullopt, "la réponse du serveur compte plus de " + std::to_string(mostResponses) +
                                          " éléments, bien plus qu'un carnet d'adresses"};
            multistatus.responses.push_back(readResponse(xml));
        } else if (is(xml, kDav, u"sync-token")) {
            multistatus.syncToken = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else {
            xml.skipCurrentElement();
        }
    }
    // What follows the root must be nothing but the end of the document.
    while (!xml.atEnd() && !xml.hasError()) xml.readNext();
    if (xml.hasError())
        return {std::nullopt,
                "la réponse du serveur n'est pas du XML lisible (ligne " + std::to_string(xml.lineNumber()) + ")"};
    return {std::move(multistatus), {}};
}

QByteArray discoveryRequest() {
    RequestWriter xml;
    xml->writeStartElement(kDav, QStringLiteral("propfind"));
    xml.properties({{&kDav, "resourcetype"},
                    {&kDav, "displayname"},
                    {&kDav, "current-user-principal"},
                    {&kCard, "addressbook-home-set"},
                    {&kDav, "supported-report-set"}});
    xml->writeEndElement();
    return xml.finish();
}

QByteArray etagsRequest() {
    RequestWriter xml;
    xml->writeStartElement(kDav, QStringLiteral("propfind"));
    xml.properties({{&kDav, "resourcetype"}, {&kDav, "getetag"}});
    xml->writeEndElement();
    return xml.finish();
}

QByteArray syncCollectionRequest(const QString& token) {
    RequestWriter xml;
    xml->writeStartElement(kDav, QStringLiteral("sync-collection"));
    xml->writeTextElement(kDav, QStringLiteral("sync-token"), token);
    xml->writeTextElement(kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
    xml.properties({{&kDav, "getetag"}});
    xml->writeEndElement();
    return xml.finish();
}

QByteArray multigetRequest(const QStringList& hrefs) {
    RequestWriter xml;
    xml->writeStartElement(kCard, QStringLiteral("addressbook-multiget"));
    xml.properties({{&kDav, "getetag"}, {&kCard, "address-data"}});
    for (const QString& href : hrefs) xml->writeTextElement(kDav, QStringLiteral("href"), href);
    xml->writeEndElement();
    return xml.finish();
}

bool isInvalidTokenError(const QByteArray& body) {
    QXmlStreamReader xml(body);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && is(xml, kDav, u"valid-sync-token")) return true;
    }
    return false;
}

}  // namespace velorine::carddav
