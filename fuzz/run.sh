#!/bin/bash
# Runs every fuzzer for the given seconds, starting from the regression
# inputs kept in the test suite. A crash, leak, hang or sanitizer report
# fails the run; its input is copied into the suite.
set -uo pipefail
DIR=$1
SEGUNDOS=${2:-60}
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
falhas=0
for alvo in emails telefones palavras padroes decodificacao; do
    sementes="$RAIZ/tests/fuzz-regressions/$alvo"
    corpus=$(mktemp -d)
    cp "$sementes"/* "$corpus"/ 2>/dev/null || true
    mkdir -p "$DIR/artefatos"
    echo "== fuzz_$alvo por $SEGUNDOS s =="
    if "$DIR/fuzz_$alvo" -max_total_time="$SEGUNDOS" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$DIR/artefatos/$alvo-" "$corpus" 2> "$DIR/fuzz_$alvo.log"; then
        grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$DIR/fuzz_$alvo.log" | tr '\n' ' '
        echo
    else
        echo "FALHOU: veja $DIR/fuzz_$alvo.log"
        for a in "$DIR"/artefatos/"$alvo"-*; do
            [ -f "$a" ] && cp "$a" "$sementes/" && echo "entrada guardada em $sementes/$(basename "$a")"
        done
        falhas=$((falhas + 1))
    fi
    rm -rf "$corpus"
done
[ "$falhas" -eq 0 ] && echo "fuzz: nenhuma falha" || { echo "fuzz: $falhas alvo(s) falharam"; exit 1; }
