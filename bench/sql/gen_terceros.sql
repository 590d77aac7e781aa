-- =====================================================================
-- Bench data: inserts CANTIDAD third parties (patients), each with its
-- clinical record, into a company database that already holds the seed
-- data (cities, identification types, countries).
--
-- Change CANTIDAD below (default 1000000).  Identifications are
-- BASE + 1 .. BASE + CANTIDAD (10 digits), so a second run on the same
-- database needs another BASE.  Clinical records are 'B' + 9 digits.
-- Names, cities, identification types and telephones come from a fixed
-- pseudo-random sequence, so every run produces the same data; about one
-- third party in twenty is inactive.
-- Run over a UTF8 connection, then COMMIT.
-- =====================================================================

SET TERM ^ ;

EXECUTE BLOCK AS
  DECLARE CANTIDAD INTEGER = 1000000;
  DECLARE BASE BIGINT = 7000000000;

  DECLARE NOMBRES VARCHAR(1000);
  DECLARE APELLIDOS VARCHAR(1000);
  DECLARE CIUDADES VARCHAR(1000);
  DECLARE N_NOM INTEGER;
  DECLARE N_APE INTEGER;
  DECLARE N_CIU INTEGER;

  DECLARE I INTEGER = 0;
  DECLARE SEMILLA BIGINT = 20240611;
  DECLARE NIT VARCHAR(20);
  DECLARE DV CHAR(1);
  DECLARE TIPOID CHAR(1);
  DECLARE A1 VARCHAR(60);
  DECLARE A2 VARCHAR(60);
  DECLARE N1 VARCHAR(60);
  DECLARE N2 VARCHAR(60);
  DECLARE CIUD_COD VARCHAR(5);
  DECLARE CIUD_NOM VARCHAR(40);
  DECLARE ESTADO CHAR(1);
  DECLARE CEL VARCHAR(25);
  DECLARE ANIV DATE;
  DECLARE S INTEGER;
  DECLARE K INTEGER;
  DECLARE PESO INTEGER;
  DECLARE R INTEGER;
BEGIN
  -- names in fixed slots of 10 characters, surnames in slots of 12,
  -- active cities of the seed data: code and name in a slot of 5 + 14
  NOMBRES =
    'ANA       ANDRES    ANGELA    CAMILO    CARLOS    CAROLINA  CLAUDIA   DANIEL    DIANA     EDUARDO   ' ||
    'ESTEBAN   FELIPE    FERNANDO  GLORIA    HECTOR    ISABELLA  JAIME     JAVIER    JORGE     JOSE      ' ||
    'JUAN      JULIANA   KAREN     LAURA     LUIS      LUZ       MANUEL    MARIA     MARTHA    MATEO     ' ||
    'MIGUEL    NATALIA   OSCAR     PAOLA     PATRICIA  PEDRO     RICARDO   SANDRA    SANTIAGO  SEBASTIAN ' ||
    'SOFIA     VALENTINA VALERIA   WILSON    YOLANDA   ';
  APELLIDOS =
    'ACOSTA      AGUDELO     ALVAREZ     ARIAS       BELTRAN     CARDENAS    CASTILLO    CASTRO      ' ||
    'DIAZ        FLOREZ      GARCIA      GIRALDO     GOMEZ       GONZALEZ    GUTIERREZ   HERNANDEZ   ' ||
    'HERRERA     JIMENEZ     LOPEZ       MARTINEZ    MEDINA      MEJIA       MORA        MORENO      ' ||
    'MUÑOZ       NIÑO        OSPINA      ORTIZ       PARRA       PEREZ       QUINTERO    RAMIREZ     ' ||
    'RESTREPO    RINCON      RIOS        RODRIGUEZ   ROJAS       RUIZ        SALAZAR     SANCHEZ     ' ||
    'SUAREZ      TORRES      VALENCIA    VARGAS      ZAPATA      ';
  CIUDADES =
    '11001BOGOTA D.C.   11001BOGOTA D.C.   11001BOGOTA D.C.   05001MEDELLIN      76001CALI          ' ||
    '08001BARRANQUILLA  13001CARTAGENA     68001BUCARAMANGA   66001PEREIRA       17001MANIZALES     ' ||
    '25754SOACHA        25175CHIA          73001IBAGUE        50001VILLAVICENCIO ';

  N_NOM = CHAR_LENGTH(NOMBRES) / 10;
  N_APE = CHAR_LENGTH(APELLIDOS) / 12;
  N_CIU = CHAR_LENGTH(CIUDADES) / 19;

  WHILE (I < CANTIDAD) DO
  BEGIN
    I = I + 1;
    NIT = BASE + I;

    -- check digit of the identification (modulus 11)
    S = 0;
    K = 0;
    WHILE (K < CHAR_LENGTH(NIT)) DO
    BEGIN
      PESO = DECODE(K, 0, 3, 1, 7, 2, 13, 3, 17, 4, 19, 5, 23, 6, 29, 7, 37,
                       8, 41, 9, 43, 10, 47, 11, 53, 12, 59, 13, 67, 71);
      S = S + CAST(SUBSTRING(NIT FROM CHAR_LENGTH(NIT) - K FOR 1) AS INTEGER) * PESO;
      K = K + 1;
    END
    R = MOD(S, 11);
    IF (R > 1) THEN
      R = 11 - R;
    DV = R;

    -- pseudo-random draws: linear congruential sequence, high 15 bits
    SEMILLA = MOD(SEMILLA * 1103515245 + 12345, 2147483648);
    N1 = TRIM(SUBSTRING(NOMBRES FROM MOD(SEMILLA / 65536, N_NOM) * 10 + 1 FOR 10));
    SEMILLA = MOD(SEMILLA * 1103515245 + 12345, 2147483648);
    A1 = TRIM(SUBSTRING(APELLIDOS FROM MOD(SEMILLA / 65536, N_APE) * 12 + 1 FOR 12));
    SEMILLA = MOD(SEMILLA * 1103515245 + 12345, 2147483648);
    A2 = TRIM(SUBSTRING(APELLIDOS FROM MOD(SEMILLA / 65536, N_APE) * 12 + 1 FOR 12));
    SEMILLA = MOD(SEMILLA * 1103515245 + 12345, 2147483648);
    R = SEMILLA / 65536;
    IF (MOD(R, 3) = 0) THEN
      N2 = TRIM(SUBSTRING(NOMBRES FROM MOD(R / 3, N_NOM) * 10 + 1 FOR 10));
    ELSE
      N2 = '';
    IF (N2 = N1) THEN
      N2 = '';
    SEMILLA = MOD(SEMILLA * 1103515245 + 12345, 2147483648);
    R = SEMILLA / 65536;
    CIUD_COD = SUBSTRING(CIUDADES FROM MOD(R, N_CIU) * 19 + 1 FOR 5);
    CIUD_NOM = TRIM(SUBSTRING(CIUDADES FROM MOD(R, N_CIU) * 19 + 6 FOR 14));
    TIPOID = DECODE(MOD(R / 16, 20), 0, 'T', 1, 'R', 2, 'E', 'C');
    ESTADO = IIF(MOD(I, 20) = 0, 'N', 'S');
    SEMILLA = MOD(SEMILLA * 1103515245 + 12345, 2147483648);
    R = SEMILLA / 65536;
    CEL = '3' || LPAD(MOD(SEMILLA, 1000000000), 9, '0');
    ANIV = DATE '1940-01-01' + MOD(R, 30000);

    INSERT INTO TERCEROS (TERC_NIT, TERC_DV, TERC_TIPOID, TERC_NOM, TERC_APELLIDO1, TERC_APELLIDO2,
                          TERC_NOMBRE1, TERC_NOMBRE2, TERC_DIR, CIUD_COD, TERC_CIU, PAIS_ID,
                          TERC_CEL, TERC_ANIV, TERC_ESTADO, TERC_CLIE, TERC_PROV, TERC_EMPL,
                          TERC_CONDUCTOR, TERC_EXENTO)
    VALUES (:NIT, :DV, :TIPOID, :A1 || ' ' || :A2 || ' ' || :N1 || ' ' || :N2, :A1, :A2,
            :N1, :N2, 'CALLE ' || MOD(:R, 200) || ' # ' || MOD(:R / 200, 100) || '-' || MOD(:R / 3, 90),
            :CIUD_COD, :CIUD_NOM, '169', :CEL, :ANIV, :ESTADO, 'N', 'N', 'N', 'N', 'N');

    INSERT INTO REGISTRO (TERC_NIT, HICL_ID, REGI_FECHA)
    VALUES (:NIT, 'B' || LPAD(:I, 9, '0'), CURRENT_DATE);
  END
END^

SET TERM ; ^

COMMIT;
