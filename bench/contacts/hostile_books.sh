#!/usr/bin/env bash
# The worst address books under the size limit (32 MiB), imported by velorine-contacts into an
# empty list: for each, the time and the peak memory of the whole process (GNU time), and what the
# import said. Folds, quoted-printable soft breaks, a huge parameter part, a huge value, hundreds
# of thousands of cards or of e-mails in one card, a file in UTF-16, character sets unknown by the
# thousand, nested cards.
#
# Usage: bench/contacts/hostile_books.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
contacts="$build/src/tools/velorine-contacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PYTHON'
import sys

work = sys.argv[1]
limit = 32 * 1024 * 1024 - 4096
card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Roy;Eva;;;\r\nBDAY:1990-01-01\r\n"


def fill(name, head, piece, tail, encoding="utf-8"):
    width = len(piece.encode(encoding)) - (2 if encoding == "utf-16" else 0)
    count = (limit - len((head + tail).encode(encoding))) // width
    with open(f"{work}/{name}.vcf", "wb") as out:
        out.write((head + piece * count + tail).encode(encoding))


fill("plis-photo", card + "PHOTO;ENCODING=b:", "\r\n /9j/4AAQSkZJRgABAQEASAB", "\r\nEND:VCARD\r\n")
fill("plis-parametre", card + "X-P;A=", "\r\n AAAAAAAAAAAAAAAAAAAAAAA=", "\r\n :x\r\nEND:VCARD\r\n")
fill("coupures-qp", card + "NOTE;ENCODING=QUOTED-PRINTABLE:", "AAAAAAAAAAAAAAAAAAAAAAA=\r\n", "A\r\nEND:VCARD\r\n")
fill("valeur-enorme", "BEGIN:VCARD\r\nBDAY:1990-01-01\r\nN:", "Roy", ";Eva;;;\r\nEND:VCARD\r\n")
fill("cartes-minuscules", "", "BEGIN:VCARD\r\nN:R\r\nBDAY:--0101\r\nEND:VCARD\r\n", "")
fill("courriels", card, "EMAIL:a@b.fr\r\n", "END:VCARD\r\n")
fill("utf16", "", "BEGIN:VCARD\r\nN:Ré;Zoé;;;\r\nBDAY:1990-01-01\r\nEND:VCARD\r\n", "", "utf-16")
fill("cartes-imbriquees", "BEGIN:VCARD\r\n", "BEGIN:VCARD\r\n", "")
with open(f"{work}/jeux-inconnus.vcf", "wb") as out:
    size = 0
    number = 0
    while size < limit - 200:
        line = f"BEGIN:VCARD\r\nN;CHARSET=X-INCONNU-{number}:Roy;Eva;;;\r\nBDAY:1990-01-01\r\nEND:VCARD\r\n".encode()
        out.write(line)
        size += len(line)
        number += 1
PYTHON

printf '%-20s %4s %9s %9s %12s  %s\n' fichier Mio secondes "s (CPU)" "mémoire Mio" "résultat"
for book in "$work"/*.vcf; do
  rm -f "$work/liste.ini"
  megabytes=$(( $(stat -c %s "$book") / 1048576 ))
  /usr/bin/time -o "$work/time" -f '%e %U %M' "$contacts" importer "$book" --fichier "$work/liste.ini" \
    > "$work/out" 2> "$work/err" || true
  said=$(cat "$work/out" "$work/err" | grep -m1 -E "ajoutées|ne peut pas" | sed 's/^.*» //; s/^ *//' || true)
  read -r seconds user kilobytes <<< "$(tail -1 "$work/time")"
  printf '%-20s %4s %9s %9s %12s  %s\n' "$(basename "$book" .vcf)" "$megabytes" "$seconds" "$user" \
         "$(( kilobytes / 1024 ))" "$said"
done
