// telma-cohort predict against the bare floor the issue names: a program that reads the file
// in large blocks, converts the fields with std::from_chars, computes the formula and writes
// the six values with std::to_chars, and nothing else. Also the peak memory of predict over
// 10^7 rows generated on the fly (no file), which must stay under 64 MiB.
#include "bmicourse.h"
#include "cohortinput.h"
#include "cohortprediction.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const char header[] = "code,baseline_date,height_m,restrained_eating,emotional_eating,external_eating,"
                      "personal_standards,concern_over_mistakes,body_image_dissatisfaction,"
                      "alexithymia,initial_bmi,bmi_month_6\n";

// A plausible row with two-decimal predictors, different for every index.
void appendRow(std::string &out, long index)
{
    unsigned long s = 2654435761UL * (index + 1);
    const auto next = [&s](double lower, double upper) {
        s = s * 6364136223846793005UL + 1442695040888963407UL;
        const double unit = double((s >> 11) % 100000) / 100000.0;
        return lower + unit * (upper - lower);
    };
    char line[256];
    const int n = std::snprintf(line, sizeof line,
                                "P%08ld,2025-03-01,1.70,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f,%.2f\n",
                                index, next(1, 5), next(1, 5), next(1, 5), next(7, 35), next(13, 65),
                                next(1, 55), next(30, 110), next(25, 45), next(20, 40));
    out.append(line, size_t(n));
}

struct Files {
    QTemporaryDir dir;
    QString input;
    QString output;
};

Files &files(long rows)
{
    static Files f;
    static long written = 0;
    if (written != rows) {
        f.input = f.dir.filePath(QStringLiteral("cohort.csv"));
        f.output = f.dir.filePath(QStringLiteral("out.csv"));
        std::FILE *out = std::fopen(qPrintable(f.input), "w");
        std::string block = header;
        for (long i = 0; i < rows; ++i) {
            appendRow(block, i);
            if (block.size() > (1 << 20)) {
                std::fwrite(block.data(), 1, block.size(), out);
                block.clear();
            }
        }
        std::fwrite(block.data(), 1, block.size(), out);
        std::fclose(out);
        written = rows;
    }
    return f;
}

void appendNumber(std::string &out, double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

// The floor: knows the column positions, trusts every field, quotes nothing.
void barePredict(const char *inName, const char *outName)
{
    const int in = open(inName, O_RDONLY);
    const int out = open(outName, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string carry, result;
    std::vector<char> block(1 << 20);
    bool headerDone = false;
    for (;;) {
        const ssize_t got = read(in, block.data(), block.size());
        if (got <= 0)
            break;
        carry.append(block.data(), size_t(got));
        size_t begin = 0;
        for (size_t end; (end = carry.find('\n', begin)) != std::string::npos; begin = end + 1) {
            const char *line = carry.data() + begin;
            const char *lineEnd = carry.data() + end;
            result.append(line, lineEnd);
            if (!headerDone) {
                headerDone = true;
                result.append(",predicted_month_1,predicted_month_2,predicted_month_3,"
                              "predicted_month_4,predicted_month_5,predicted_month_6,error\n");
                continue;
            }
            PredictorValues values{};
            const char *field = line;
            for (int column = 0; column < 11; ++column) {
                const char *comma = static_cast<const char *>(std::memchr(field, ',', size_t(lineEnd - field)));
                if (!comma)
                    comma = lineEnd;
                if (column >= 3)
                    std::from_chars(field, comma, values[column - 3]);
                field = comma + 1;
            }
            for (double month : predictBmiCourse(values)) {
                result.push_back(',');
                appendNumber(result, month);
            }
            result.append(",\n");
        }
        carry.erase(0, begin);
        if (result.size() > (1 << 20)) {
            benchmark::DoNotOptimize(write(out, result.data(), result.size()));
            result.clear();
        }
    }
    benchmark::DoNotOptimize(write(out, result.data(), result.size()));
    close(in);
    close(out);
}

void bareFloor(benchmark::State &state)
{
    const Files &f = files(state.range(0));
    const QByteArray in = f.input.toLocal8Bit(), out = f.output.toLocal8Bit();
    for (auto _ : state)
        barePredict(in.constData(), out.constData());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void predict(benchmark::State &state)
{
    const Files &f = files(state.range(0));
    for (auto _ : state) {
        QFile in(f.input), out(f.output);
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        CohortInput input(in, f.input, {});
        CohortPrediction prediction({});
        if (!prediction.run(input, out))
            state.SkipWithError(qPrintable(prediction.error()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Makes rows as it is read, so that 10^7 rows need no file.
class GeneratedCohort : public QIODevice
{
public:
    explicit GeneratedCohort(long rows) : m_rows(rows) { m_pending = header; }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        while (qint64(m_pending.size() - m_offset) < size && m_next < m_rows)
            appendRow(m_pending, m_next++);
        const qint64 n = std::min<qint64>(size, qint64(m_pending.size() - m_offset));
        std::memcpy(data, m_pending.data() + m_offset, size_t(n));
        m_offset += size_t(n);
        if (m_offset > (1 << 20)) {
            m_pending.erase(0, m_offset);
            m_offset = 0;
        }
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    long m_rows;
    long m_next = 0;
    std::string m_pending;
    size_t m_offset = 0;
};

class Discard : public QIODevice
{
protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override { return size; }
};

void predictMemory(benchmark::State &state)
{
    for (auto _ : state) {
        GeneratedCohort in(state.range(0));
        Discard out;
        in.open(QIODevice::ReadOnly);
        out.open(QIODevice::WriteOnly);
        CohortInput input(in, QStringLiteral("generated"), {});
        CohortPrediction prediction({});
        prediction.run(input, out);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

} // namespace

// The memory figure first, while the process is still small.
BENCHMARK(predictMemory)->Arg(10'000'000)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(bareFloor)->Arg(2'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(predict)->Arg(2'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
