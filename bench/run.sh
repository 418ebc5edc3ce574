#!/bin/bash
# Throughput and peak memory of vaspira-extract beside grep -oP and rg -o on
# generated corpora. Figures are ratios measured in one run on one machine.
set -euo pipefail

BUILD=${BUILD_DIR:-build}
X="$BUILD/vaspira-extract"
G="$BUILD/vaspira-bench"
D=$(mktemp -d "${TMPDIR:-/tmp}/vaspira-bench-XXXXXX")
trap 'rm -rf "$D"' EXIT

EP='\b[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,}\b'
TP='(?:\+|00)?(?:\d{2})?(?:\()?(\d{2})(?:\))?(?:[-\s]?)(?:\d{4,5})(?:[-\s]?)(?:\d{4})'

# The merge is compared with sort under the pt-BR locale when the machine has it.
LOCALE_BR=$(locale -a 2>/dev/null | grep -i -m1 '^pt_BR\.utf-\?8$' || true)
if [ -z "$LOCALE_BR" ]; then
    LOCALE_BR=C.UTF-8
    echo "aviso: locale pt_BR.UTF-8 ausente; sort usa C.UTF-8"
fi

echo "Gerando corpora em $D ..."
"$G" gerar pagina "$D/pagina.html" 100
"$G" gerar prosa "$D/prosa.txt" 100
"$G" gerar denso "$D/denso.txt" 20
"$G" gerar linhas "$D/linhas.txt"
for _ in 1 2 3 4 5 6 7 8 9 10; do cat "$D/pagina.html"; done > "$D/grande.txt"

mb() { echo "scale=1; $(stat -c %s "$1") / 1048576" | bc; }

# medir NOME ARQUIVO COMANDO...: prints a row and leaves seconds and KB in S and M.
# The time is the best of REPETICOES runs, in milliseconds (short runs are
# below /usr/bin/time's resolution); the peak memory comes from one more run.
REPETICOES=${REPETICOES:-5}
medir() {
    local nome=$1 arquivo=$2
    shift 2
    local melhor=""
    for _ in $(seq "$REPETICOES"); do
        local ini fim
        ini=$(date +%s%N)
        "$@" > "$D/saida" 2> /dev/null || true
        fim=$(date +%s%N)
        local ms=$(((fim - ini) / 1000000))
        if [ -z "$melhor" ] || [ "$ms" -lt "$melhor" ]; then melhor=$ms; fi
    done
    [ "$melhor" -lt 1 ] && melhor=1
    S=$(echo "scale=3; $melhor / 1000" | bc -l)
    /usr/bin/time -f "%M" -o "$D/tempo" "$@" > /dev/null 2> /dev/null || true
    read -r M < "$D/tempo"
    local tam
    tam=$(mb "$arquivo")
    printf "%-44s %8s MB %8.3f s %9.1f MB/s %8d MB pico %9d linhas\n" \
        "$nome" "$tam" "$S" "$(echo "$tam / $S" | bc -l)" $((M / 1024)) "$(wc -l < "$D/saida")"
}

razao() { echo "scale=2; $1 / $2" | bc -l; }
meta() {
    local descricao=$1 valor=$2 minimo=$3
    if [ "$(echo "$valor >= $minimo" | bc -l)" = 1 ]; then
        printf "  OK    %-70s %6s (meta >= %s)\n" "$descricao" "$valor" "$minimo"
    else
        printf "  ABAIXO %-69s %6s (meta >= %s)\n" "$descricao" "$valor" "$minimo"
    fi
}

echo
echo "== Página de 100 MB =="
medir "vaspira-extract emails --raw" "$D/pagina.html" "$X" emails --raw "$D/pagina.html"; VE=$S; VEM=$M
medir "grep -oP e-mail" "$D/pagina.html" grep -oP "$EP" "$D/pagina.html"; GE=$S
medir "rg -o e-mail" "$D/pagina.html" rg -o "$EP" "$D/pagina.html"
medir "vaspira-extract telefones --raw" "$D/pagina.html" "$X" telefones --raw "$D/pagina.html"; VT=$S; VTM=$M
medir "grep -oP telefone" "$D/pagina.html" grep -oP "$TP" "$D/pagina.html"; GT=$S
medir "rg -o telefone" "$D/pagina.html" rg -o "$TP" "$D/pagina.html"
medir "vaspira-extract emails (juntado)" "$D/pagina.html" "$X" emails "$D/pagina.html"; VJ=$S
medir "grep -oP e-mail | sort -f -u" "$D/pagina.html" \
    bash -c "grep -oP '$EP' '$D/pagina.html' | LC_ALL=$LOCALE_BR sort -f -u"; GJ=$S

echo
echo "== Prosa esparsa de 100 MB =="
medir "vaspira-extract emails --raw" "$D/prosa.txt" "$X" emails --raw "$D/prosa.txt"
medir "grep -oP e-mail" "$D/prosa.txt" grep -oP "$EP" "$D/prosa.txt"
medir "vaspira-extract telefones --raw" "$D/prosa.txt" "$X" telefones --raw "$D/prosa.txt"
medir "grep -oP telefone" "$D/prosa.txt" grep -oP "$TP" "$D/prosa.txt"

echo
echo "== Texto denso de 20 MB =="
medir "vaspira-extract emails --raw" "$D/denso.txt" "$X" emails --raw "$D/denso.txt"; VD=$S; VDM=$M
medir "grep -oP e-mail" "$D/denso.txt" grep -oP "$EP" "$D/denso.txt"; GD=$S

echo
echo "== Arquivo de 1 GB, modo arquivos =="
medir "vaspira-extract arquivos --emails" "$D/grande.txt" "$X" arquivos --emails "$D/grande.txt"; AE=$S; AEM=$M
medir "grep -oP e-mail" "$D/grande.txt" grep -oP "$EP" "$D/grande.txt"; AGE=$S
medir "rg -o e-mail" "$D/grande.txt" rg -o "$EP" "$D/grande.txt"
medir "vaspira-extract arquivos --telefones" "$D/grande.txt" "$X" arquivos --telefones "$D/grande.txt"; AT=$S; ATM=$M
medir "grep -oP telefone" "$D/grande.txt" grep -oP "$TP" "$D/grande.txt"; AGT=$S

echo
echo "== Junção de um milhão de linhas =="
read -r DISTINTAS MS < <("$G" mesclar "$D/linhas.txt")
/usr/bin/time -f "%e" -o "$D/tempo" bash -c "LC_ALL=$LOCALE_BR sort -f -u '$D/linhas.txt' > '$D/sort.txt'"
SORT_S=$(cat "$D/tempo")
ESPERADAS=$(tr '[:upper:]' '[:lower:]' < "$D/linhas.txt" | LC_ALL=C sort -u | wc -l)
printf "%-44s %8.2f s %9d linhas\n" "junção (vaspira)" "$MS" "$DISTINTAS"
printf "%-44s %8.2f s %9d linhas\n" "sort -f -u ($LOCALE_BR)" "$SORT_S" "$(wc -l < "$D/sort.txt")"
printf "%-44s %20d linhas\n" "distintas sem caixa" "$ESPERADAS"

PAG=$(mb "$D/pagina.html"); DEN=$(mb "$D/denso.txt")
echo
echo "== Metas =="
meta "emails --raw na página: vezes o grep -oP" "$(razao "$GE" "$VE")" 1.5
meta "emails --raw no texto denso: vezes o grep -oP" "$(razao "$GD" "$VD")" 1.0
meta "telefones --raw na página: vezes o grep -oP" "$(razao "$GT" "$VT")" 1.0
meta "emails juntado na página: vezes grep -oP | sort -f -u" "$(razao "$GJ" "$VJ")" 2.0
meta "arquivos --emails em 1 GB: vezes o grep -oP" "$(razao "$AGE" "$AE")" 0.8
meta "arquivos --telefones em 1 GB: vezes o grep -oP" "$(razao "$AGT" "$AT")" 0.8
meta "arquivos --emails: memória abaixo de 64 MB (folga)" "$(razao 65536 "$AEM")" 1.0
meta "arquivos --telefones: memória abaixo de 64 MB (folga)" "$(razao 65536 "$ATM")" 1.0
meta "junção: vezes o sort -f -u" "$(razao "$SORT_S" "$MS")" 1.0
meta "junção: uma linha por linha distinta sem caixa" "$([ "$DISTINTAS" = "$ESPERADAS" ] && echo 1 || echo 0)" 1
meta "emails --raw na página: pico de memória até 3x a entrada" "$(razao "$(echo "$PAG * 3 * 1024" | bc)" "$VEM")" 1.0
meta "telefones --raw na página: pico de memória até 3x a entrada" "$(razao "$(echo "$PAG * 3 * 1024" | bc)" "$VTM")" 1.0
meta "emails --raw no denso: pico de memória até 3x a entrada" "$(razao "$(echo "$DEN * 3 * 1024" | bc)" "$VDM")" 1.0
