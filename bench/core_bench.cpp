// Conversions and a whole Calculate click on the headless backend.
#include <benchmark/benchmark.h>

#include "calc/price.h"
#include "runtime/conversions.h"
#include "tests/support/headless_form1.h"
#include "ui/stored_form/reader.h"

namespace mivello {
namespace {

void BM_TextToDouble(benchmark::State& state) {
  const String text = u"962163825.148";
  for (auto _ : state) benchmark::DoNotOptimize(TextToDouble(text));
}
BENCHMARK(BM_TextToDouble);

void BM_TextToDouble1MB(benchmark::State& state) {
  String text(512 * 1024, u'7');  // 1 MB of UTF-16: "0.777…"
  text[1] = u'.';
  text[0] = u'0';
  for (auto _ : state) benchmark::DoNotOptimize(TextToDouble(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 1024 * 1024);
}
BENCHMARK(BM_TextToDouble1MB)->Unit(benchmark::kMillisecond);

void BM_TextToDouble1MBBlanks(benchmark::State& state) {
  String text(512 * 1024, u' ');
  text.back() = u'5';
  for (auto _ : state) benchmark::DoNotOptimize(TextToDouble(text));
}
BENCHMARK(BM_TextToDouble1MBBlanks)->Unit(benchmark::kMillisecond);

void BM_StrR8(benchmark::State& state) {
  double value = 169.15;
  for (auto _ : state) benchmark::DoNotOptimize(vbaStrR8(value));
}
BENCHMARK(BM_StrR8);

void BM_StrR8Tie(benchmark::State& state) {
  double value = 1000000000000005.0;  // takes the exact-tie path
  for (auto _ : state) benchmark::DoNotOptimize(vbaStrR8(value));
}
BENCHMARK(BM_StrR8Tie);

// The price arithmetic in integers, and the x87 instructions it replaced.
void BM_DiscountedPrice(benchmark::State& state) {
  double price = 962163825.148, discount = 9.428;
  for (auto _ : state) {
    benchmark::DoNotOptimize(price);
    benchmark::DoNotOptimize(DiscountedPrice(price, discount));
  }
}
BENCHMARK(BM_DiscountedPrice);

#if defined(__i386__) || defined(__x86_64__)
void BM_DiscountedPriceX87(benchmark::State& state) {
  double price = 962163825.148, discount = 9.428;
  for (auto _ : state) {
    benchmark::DoNotOptimize(price);
    volatile long double product = static_cast<long double>(price) * discount;
    volatile long double quotient = product / 10.0L;
    benchmark::DoNotOptimize(static_cast<double>(quotient));
  }
}
BENCHMARK(BM_DiscountedPriceX87);
#endif

void BM_Command1Click(benchmark::State& state) {
  testing_support::HeadlessForm1 app;
  app.window.Type("Text1", u"199");
  app.window.Type("Text2", u"8.5");
  for (auto _ : state) app.window.Click("Command1");
}
BENCHMARK(BM_Command1Click);

// Reading Form1's stored description, as the program does at start-up.
void BM_ReadForm1Block(benchmark::State& state) {
  const FormTableEntry& entry = MivelloProject().forms.front();
  for (auto _ : state) benchmark::DoNotOptimize(ReadStoredForm(entry));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * entry.description.size()));
}
BENCHMARK(BM_ReadForm1Block)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mivello

BENCHMARK_MAIN();
