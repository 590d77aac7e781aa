-- The statements the program sends to the company database, with sample
-- values in place of the values of the program.  Run on the demo company as
-- an ordinary user: every statement must be accepted.
SET LIST ON;

-- start-up and profile
SELECT * FROM CONFIGURACION;
SELECT * FROM NOMBRES_CAMPOS;
select * from usuario where user_cod = 'ADMIN';
SELECT TERC_NIT FROM MEDICOS WHERE MDCO_USUARIO = 'ADMIN';
SELECT TERC_NIT FROM ENFERMERAS WHERE ENFE_USUARIO = 'RECEPCION';
select acus_si from acceso_usuario where user_cod = 'RECEPCION' and acus_modulo = 'CARTERA' and acus_opcion = 10;

-- messages
select mens_id, mens_autor, mens_mensaje, mens_nivel from MENSAJERIA where mens_destino = 'ADMIN' and mens_leido = 'N';
SELECT * FROM MENSAJERIA WHERE MENS_ID = '0';
insert into MENSAJERIA (MENS_ID, MENS_AUTOR, MENS_MENSAJE, MENS_FECHA, MENS_HORA, MENS_NIVEL, MENS_DESTINO, MENS_LEIDO, MENS_FECLEIDO, MENS_HORALEIDO, MENS_RESPUESTA) values (0, NULL, 'Hola', NULL, NULL, 3, 'ADMIN', 'N', NULL, NULL, 0);
select mens_autor from MENSAJERIA where mens_id = 1;
update mensajeria MENSAJERIA set mens_leido = 'S' where mens_id = 1;
update MENSAJERIA set mens_leido = 'S' where mens_id = 1;

-- appointment and commitment alerts
SELECT t.terc_nom, td.tido_nomlargo, p.prci_horaini  FROM PROGRAMA_CITAS P, terceros t, tipo_documento td WHERE PRCI_HORAINI >= '15:58:00' AND PRCI_HORAINI <= '16:05:12' AND P.TERC_MEDI = 79888777 AND PRCI_FECHA = 'TODAY' and t.terc_nit = p.terc_nit and td.tido_cod = p.tido_cod;
select crte_nombre, terc_nom, crco_obs, crco_fecha, crco_hora, crco_prioridad, crco_id from terceros cl, crm_compromisos co, crm_tipoevento t where t.crte_id = co.crco_tipo and co.crco_nit = cl.terc_nit and co.crco_asesor = 1 and co.crco_fecha <= '12/31/2099' and co.crco_cumplido = 'N' and co.crco_anulado = 'N' and ((co.crco_fecha < '12/31/2099') or (co.crco_hora <= '23:59:59')) order by crco_prioridad, crco_fecha desc, crco_hora desc;

-- new company (run on the template in check_scripts.sh as well)
SELECT * FROM TIPO_DOCUMENTO ORDER BY TIDO_NOMLARGO;
SELECT * FROM TIPO_DOCUMENTO WHERE TIDO_MODULO = 'INVENTARIO' ORDER BY TIDO_NOMLARGO;

-- samples
SELECT * FROM TOMA_MUESTRA WHERE TOMA_ID = '0';
SELECT * FROM TIPO_EXAMEN;
select hicl_id from registro where terc_nit = '52345678';
select terc_nit, terc_nom from terceros where terc_estado = 'S' and terc_nit = '52345678';
select terc_nit, terc_nom, terc_clie, terc_prov from terceros where terc_nit = '52345678';
select * from impr_muestra(1);
select audi_fecha from auditoria where tido_cod = 99 and audi_oper = 'I' and audi_iddoc = 1 order by audi_id desc;
select audi_hora from auditoria where tido_cod = 99 and audi_oper = 'I' and audi_iddoc = 1 order by audi_id desc;
select max(toma_id) from toma_muestra;

-- sample search (number, date, name; any position or from the text on)
select toma_id, toma_fecha, toma_nom, toma_nit, toma_idhis, tiex_nom from toma_muestra m, tipo_examen e where m.toma_examen = e.tiex_cod  order by toma_id desc, toma_id desc;
select toma_id, toma_fecha, toma_nom, toma_nit, toma_idhis, tiex_nom from toma_muestra m, tipo_examen e where m.toma_examen = e.tiex_cod  and upper(toma_nit) like upper('%5234%') order by toma_nit desc, toma_id desc;
select toma_id, toma_fecha, toma_nom, toma_nit, toma_idhis, tiex_nom from toma_muestra m, tipo_examen e where m.toma_examen = e.tiex_cod  and upper(toma_fecha) like upper('%-12-%') order by toma_fecha desc, toma_id desc;
select toma_id, toma_fecha, toma_nom, toma_nit, toma_idhis, tiex_nom from toma_muestra m, tipo_examen e where m.toma_examen = e.tiex_cod  and upper(toma_fecha) >= upper('2020-01-01') order by toma_fecha desc, toma_id desc;
select toma_id, toma_fecha, toma_nom, toma_nit, toma_idhis, tiex_nom from toma_muestra m, tipo_examen e where m.toma_examen = e.tiex_cod  and upper(toma_nom) >= upper('ana') order by tiex_nom desc, toma_id desc;

-- label format
SELECT * FROM FORMATOS WHERE tido_cod = 99 and pref_pre = '0000';
SELECT * FROM FORMATO_DATOS WHERE TIDO_COD = 99 AND PREF_PRE = '0000';
SELECT * FROM FORMATO_LINEAS WHERE TIDO_COD = 99 AND PREF_PRE = '0000';
select max(foli_item) from formato_lineas where tido_cod = 99 and pref_pre = '0000';
select max(dafo_item) from formato_datos where tido_cod = 99 and pref_pre = '0000';
EXECUTE PROCEDURE MOVER_FORMATO (99, '0000', 0, 0, 2000, 'R');

-- third parties
SELECT * FROM TERCEROS WHERE TERC_NIT = '52345678';
SELECT * FROM CIUDADES ORDER BY CIUD_NOM;
SELECT * FROM TIPO_ID  ;
SELECT * FROM PAISES ORDER BY PAIS_NOM;
select T.TERC_NIT, TERC_NOM, TERC_CONTACTO, TERC_TEL, TERC_CIU, TERC_CLIE, TERC_PROV, TERC_EMPL, TERC_ESTADO, HICL_ID from terceros T left OUTER JOIN REGISTRO R ON (R.terc_nit = T.terc_nit)order by terc_nom;
select T.TERC_NIT, TERC_NOM, TERC_CONTACTO, TERC_TEL, TERC_CIU, TERC_CLIE, TERC_PROV, TERC_EMPL, TERC_ESTADO, HICL_ID from terceros T left OUTER JOIN REGISTRO R ON (R.terc_nit = T.terc_nit)order by hicl_id;
select T.TERC_NIT, TERC_NOM, TERC_CONTACTO, TERC_TEL, TERC_CIU, TERC_CLIE, TERC_PROV, TERC_EMPL, TERC_ESTADO, HICL_ID from terceros T left OUTER JOIN REGISTRO R ON (R.terc_nit = T.terc_nit) where upper(terc_nom) like upper('%garcia%') and upper(terc_nom) like upper('%lu%') order by terc_nom;
select T.TERC_NIT, TERC_NOM, TERC_CONTACTO, TERC_TEL, TERC_CIU, TERC_CLIE, TERC_PROV, TERC_EMPL, TERC_ESTADO, HICL_ID from terceros T left OUTER JOIN REGISTRO R ON (R.terc_nit = T.terc_nit) where upper(T.terc_nit) >= upper('5') order by terc_nit;
select T.TERC_NIT, TERC_NOM, TERC_CONTACTO, TERC_TEL, TERC_CIU, TERC_CLIE, TERC_PROV, TERC_EMPL, TERC_ESTADO, HICL_ID from terceros T left OUTER JOIN REGISTRO R ON (R.terc_nit = T.terc_nit) where upper(hicl_id) like upper('%1%') order by hicl_id;
select TERC_NIT, TERC_NOM, TERC_CONTACTO, TERC_TEL, TERC_CIU, TERC_CLIE, TERC_PROV, TERC_EMPL, TERC_ESTADO from terceros  where upper(terc_nit) like upper('%52%') order by terc_nit;
insert into terceros (TERC_NIT, TERC_DV, TERC_TIPOID, TERC_NOM, TERC_APELLIDO1, TERC_APELLIDO2, TERC_NOMBRE1, TERC_NOMBRE2, CIUD_COD, TERC_CIU, PAIS_ID, TERC_ESTADO, TERC_CLIE, TERC_PROV, TERC_EMPL, TERC_EXENTO) values ('12345', '8', 'C', 'PRUEBA  PACIENTE ', 'PRUEBA', '', 'PACIENTE', '', '11001', 'BOGOTA D.C.', '169', 'S', 'S', 'S', 'N', 'N');
insert into clientes (TERC_NIT, CLIE_COD, CLIE_ESTADO) VALUES ('12345','12345', 'A');
insert into proveedores (TERC_NIT, GRPR_COD, PROV_SIMPLIFICADO) VALUES ('12345','01', 'N');
select * from clientes where TERC_NIT = '12345';
select * from proveedores where TERC_NIT = '12345';
delete from terceros where terc_nit = '12345';

-- cities and countries
INSERT INTO CIUDADES (CIUD_COD, CIUD_NOM, CIUD_ACTIVA) VALUES ('99999', 'CIUDAD DE PRUEBA', NULL);
INSERT INTO PAISES (PAIS_ID, PAIS_NOM) VALUES ('999', 'PAIS DE PRUEBA');
DELETE FROM CIUDADES WHERE CIUD_COD = '99999';
DELETE FROM PAISES WHERE PAIS_ID = '999';

-- agenda
select * from busqueda_compromisos(1,'9999/12/31','N');
select * from busqueda_compromisos(1,'12/31/2099','S');
SELECT * FROM CRM_EVENTOS WHERE CREV_ID = '0';
SELECT * FROM CRM_COMPROMISOS WHERE CRCO_ID = '0';
select crco_nit, crco_asesor, crco_obs, crco_tipo, crco_contacto from crm_compromisos where crco_id = 1;
select * from crm_evento_motivo where crem_activo = 'S';
SELECT * FROM CRM_EVENTO_RESPUESTA;
SELECT * FROM CRM_ASESOR;
SELECT * FROM CRM_TIPOEVENTO;
insert into crm_compromisos (crco_nit, crco_fecha, crco_hora, crco_tipo, crco_obs, crco_asesor, crco_contacto, crco_cumplido, crco_anulado, crco_prioridad) select crco_nit, '12/31/2099','10:30:00', crco_tipo, 'Reagendado', 1, 0, 'N', crco_anulado, 'N' from crm_compromisos where crco_id = 1;
update crm_compromisos set crco_cumplido = 'S' where crco_id = 1;
update crm_compromisos set crco_anulado = 'S' where crco_id = 3;
select * from busqueda_compromisos_cli ('52345678','N') order by FECHA desc, ID desc;
select * from busqueda_compromisos_cli('52345678', 'N');
select * from busqueda_compromisos_cli ('99','N') order by FECHA desc, ID desc;

-- accounts, catalogue, articles
select * from cuentas order by cuen_cod;
select * from cuentas  where cuen_nom like '%CAJA%' order by cuen_nom;
select * from cuentas  where cuen_cod >= '11' order by cuen_cod;
select cuen_cod from comprobante_detalle where cuen_cod = '110505';
select cuen_nom from cuentas where cuen_cod = '110510';
EXECUTE PROCEDURE PADRE ('110510');
select cuen_tercero, cuen_centro, cuen_retencion from cuentas where cuen_cod = '1105';
select * from valide_cuenta_c('110505');
update cuentas set cuen_tercero = 'S', cuen_centro = 'N', cuen_retencion = 'N' where substr(cuen_cod, 1, 4) = '1105';
delete from cuentas where cuen_cod = '519530';
select * from PUC where TIPU_COD = 1order by puc_cod;
select * from PUC where TIPU_COD = 5order by puc_cod;
select * from PUC where TIPU_COD = 1 and puc_nom like '%CAJA%' order by puc_nom;
select * from PUC where TIPU_COD = 1 and puc_cod >= '13' order by puc_cod;
EXECUTE PROCEDURE CREE_CUENTA_PUC ('111010');
select arti_cod, arti_des, arti_unidad from articulo;
select arti_cod, arti_des, arti_unidad from articulo where arti_cod like '%TUB%'  order by arti_cod ;
select arti_cod, arti_des, arti_unidad from articulo where arti_des >= 'TUBO'  order by arti_des ;
SELECT * FROM ARTICULO WHERE ARTI_COD = '0';
insert into articulo (ARTI_COD, ARTI_DES, ARTI_UNIDAD, ARTI_DESVAR, ARTI_TIPO, ARTI_EXIST, ARTI_USUARIO, TAIV_COD) values ('PRUEBA', 'ARTICULO DE PRUEBA', 'UNIDAD', 'S', 'A', 'B', 'RECEPCION', 0);
delete from articulo where arti_cod = 'PRUEBA';

COMMIT;
