// Feeds arbitrary bytes to the walk that cuts a Bundle's JSON at its entries. Checks: it takes
// exactly the texts QJsonDocument takes as one object, and the entries it hands on are those
// of the whole document's "entry" array (the last such array where a key repeats).
#include "fhirjsonstream.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QVector<QJsonObject> entries;
    FhirJsonStream::Handlers handlers;
    handlers.member = [](const QString &, const QJsonValue &) {};
    handlers.entry = [&](int, const QJsonObject &entry) { entries.append(entry); };
    FhirJsonStream stream;
    const bool walked = stream.walk(buffer, handlers);

    QJsonParseError error;
    const QJsonDocument whole = QJsonDocument::fromJson(bytes, &error);
    const bool object = error.error == QJsonParseError::NoError && whole.isObject();
    check(walked == object);
    check(walked || !stream.error().isEmpty());
    if (!walked)
        return 0;
    const QJsonValue array = whole.object().value(QLatin1String("entry"));
    if (!array.isArray())
        return 0;
    const QJsonArray last = array.toArray();
    check(entries.size() >= last.size());
    for (qsizetype i = 0; i < last.size(); ++i)
        check(entries.at(entries.size() - last.size() + i) == last.at(i).toObject());
    return 0;
}
