#!/usr/bin/env bash
# Builds throwaway databases from the scripts in db/ with the embedded
# Firebird engine and checks them:
#   - general.sql + demo_general.sql; zentavo.sql + zentavo_seed.sql
#     (template) and + demo_zentavo.sql (demo company), all with -bail;
#   - the program's statements against the demo databases, as an ordinary
#     user (so the grants are exercised too);
#   - behaviour checks (procedures, triggers, generators);
#   - deletions and inserts that foreign keys must refuse;
#   - a new company prepared from the template;
#   - bench/sql/gen_terceros.sql with BENCH_ROWS rows (default 10000).
# Exits non-zero at the first failure.
# Usage: db/tests/check_scripts.sh   (ISQL=/path/to/isql to override)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
db="$(dirname "$here")"
root="$(dirname "$db")"
ISQL="${ISQL:-isql-fb}"
BENCH_ROWS="${BENCH_ROWS:-10000}"
work="$(mktemp -d /tmp/check_db.XXXXXX)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FALLO: $*" >&2; exit 1; }

# run_sql USER DATABASE FILE... : feeds the files to isql with -bail
run_sql() {
  local user="$1" dbfile="$2"; shift 2
  cat "$@" | "$ISQL" -q -bail -ch UTF8 -user "$user" -password masterkey "$dbfile" \
    > "$work/last.out" 2>&1 || { cat "$work/last.out" >&2; fail "isql ($user) en $dbfile: $*"; }
  if grep -q "Statement failed\|SQLSTATE" "$work/last.out"; then
    cat "$work/last.out" >&2; fail "error en $*"
  fi
}

# create_db FILE SCRIPT... : new UTF8 database built from the scripts
create_db() {
  local dbfile="$1"; shift
  printf "CREATE DATABASE '%s' USER 'SYSDBA' PASSWORD 'masterkey' DEFAULT CHARACTER SET UTF8;\n" \
    "$dbfile" > "$work/create.sql"
  cat "$work/create.sql" "$@" | "$ISQL" -q -bail -ch UTF8 -user SYSDBA -password masterkey \
    > "$work/last.out" 2>&1 || { cat "$work/last.out" >&2; fail "creando $dbfile con $*"; }
  if grep -q "Statement failed\|SQLSTATE" "$work/last.out"; then
    cat "$work/last.out" >&2; fail "error creando $dbfile"
  fi
}

# must_fail_fk USER DATABASE SQL : the statement must be refused by a foreign key
must_fail_fk() {
  local user="$1" dbfile="$2" sql="$3"
  if printf '%s\nCOMMIT;\n' "$sql" | "$ISQL" -q -bail -ch UTF8 -user "$user" -password masterkey \
       "$dbfile" > "$work/fk.out" 2>&1; then
    fail "aceptado sin error: $sql"
  fi
  grep -q "violation of FOREIGN KEY constraint" "$work/fk.out" \
    || { cat "$work/fk.out" >&2; fail "error distinto de llave foranea: $sql"; }
}

echo "== general database"
create_db "$work/general.fdb" "$db/general.sql" "$db/demo_general.sql"
run_sql RECEPCION "$work/general.fdb" "$here/statements_general.sql"
must_fail_fk ADMIN "$work/general.fdb" "delete from compania where comp_cod = '001';"
must_fail_fk ADMIN "$work/general.fdb" "insert into compania_usuario (comp_cod, usua_cod) values ('009', 'ADMIN');"

echo "== company template"
create_db "$work/plantilla.fdb" "$db/zentavo.sql" "$db/zentavo_seed.sql"
cp "$work/plantilla.fdb" "$work/nueva.fdb"
run_sql ADMIN "$work/nueva.fdb" "$here/new_company.sql"

echo "== demo company"
create_db "$work/zentavo.fdb" "$db/zentavo.sql" "$db/zentavo_seed.sql" "$db/demo_zentavo.sql"
run_sql SYSDBA "$work/zentavo.fdb" "$here/helpers_zentavo.sql"
run_sql RECEPCION "$work/zentavo.fdb" "$here/checks_zentavo.sql"
run_sql RECEPCION "$work/zentavo.fdb" "$here/statements_zentavo.sql"

echo "== foreign keys"
z="$work/zentavo.fdb"
must_fail_fk RECEPCION "$z" "delete from terceros where terc_nit = '52345678';"
must_fail_fk RECEPCION "$z" "delete from tipo_examen where tiex_cod = 1;"
must_fail_fk RECEPCION "$z" "insert into toma_muestra (toma_id, toma_nit, toma_examen, toma_nromues) values (0, '52345678', 999, 1);"
must_fail_fk RECEPCION "$z" "insert into toma_muestra (toma_id, toma_nit, toma_examen, toma_nromues) values (0, '000', 1, 1);"
must_fail_fk RECEPCION "$z" "delete from formatos where tido_cod = 99 and pref_pre = '0000';"
must_fail_fk RECEPCION "$z" "delete from ciudades where ciud_cod = '11001';"
must_fail_fk RECEPCION "$z" "delete from paises where pais_id = '169';"
must_fail_fk RECEPCION "$z" "delete from crm_asesor where cras_id = 1;"
must_fail_fk RECEPCION "$z" "delete from crm_compromisos where crco_id in (select crco_id from crm_eventos where crco_id is not null);"
must_fail_fk RECEPCION "$z" "insert into crm_compromisos (crco_id, crco_nit, crco_tipo, crco_asesor) values (0, '52345678', 99, 1);"
must_fail_fk RECEPCION "$z" "delete from cuentas where cuen_cod = '130505';"  # has a movement (checks)
must_fail_fk RECEPCION "$z" "delete from tipo_documento where tido_cod = 99;"

echo "== bench generator ($BENCH_ROWS rows)"
create_db "$work/bench.fdb" "$db/zentavo.sql" "$db/zentavo_seed.sql"
sed "s/DECLARE CANTIDAD INTEGER = [0-9]*;/DECLARE CANTIDAD INTEGER = $BENCH_ROWS;/" \
  "$root/bench/sql/gen_terceros.sql" > "$work/gen.sql"
run_sql SYSDBA "$work/bench.fdb" "$work/gen.sql"
cat > "$work/bench_check.sql" <<EOF
SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE T INTEGER;
  DECLARE R INTEGER;
  DECLARE INACTIVOS INTEGER;
  DECLARE NOMBRES INTEGER;
BEGIN
  SELECT COUNT(*), SUM(IIF(TERC_ESTADO = 'N', 1, 0)), COUNT(DISTINCT TERC_NOM)
    FROM TERCEROS WHERE TERC_NIT <> '99' INTO :T, :INACTIVOS, :NOMBRES;
  SELECT COUNT(*) FROM REGISTRO INTO :R;
  IF (T <> $BENCH_ROWS OR R <> $BENCH_ROWS OR INACTIVOS = 0 OR INACTIVOS = T OR NOMBRES < T / 20) THEN
    EXCEPTION E_ZENTAVO 'generador: ' || T || ' terceros, ' || R || ' registros, ' || INACTIVOS || ' inactivos, ' || NOMBRES || ' nombres';
  -- 7000000001: 1 x 3 + 7 x 43 = 304, 304 mod 11 = 7, check digit 11 - 7 = 4
  SELECT COUNT(*) FROM TERCEROS WHERE TERC_NIT = '7000000001' AND TERC_DV = '4' INTO :T;
  IF (T <> 1) THEN
    EXCEPTION E_ZENTAVO 'generador: digito de verificacion';
END^
SET TERM ; ^
EOF
run_sql SYSDBA "$work/bench.fdb" "$work/bench_check.sql"

echo "OK: todos los scripts y comprobaciones pasaron"
